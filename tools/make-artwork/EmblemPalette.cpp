#include "EmblemPalette.h"

namespace {

QColor scaled(QColor colour, double factor)
{
    return QColor::fromRgbF(colour.redF() * factor, colour.greenF() * factor, colour.blueF() * factor);
}

QColor towardsWhite(QColor colour, double amount)
{
    const auto mix = [amount](double channel) { return channel + (1.0 - channel) * amount; };
    return QColor::fromRgbF(mix(colour.redF()), mix(colour.greenF()), mix(colour.blueF()));
}

} // namespace

EmblemPalette::EmblemPalette(QColor playerColour)
    : m_highlight(towardsWhite(playerColour, 0.62))
    , m_light(towardsWhite(playerColour, 0.30))
    , m_base(scaled(playerColour, 0.90))
    , m_shade(scaled(playerColour, 0.64))
    , m_deep(scaled(playerColour, 0.40))
    , m_edge(scaled(playerColour, 0.16))
{
}

QLinearGradient EmblemPalette::litAlong(QPointF lit, QPointF dark) const
{
    QLinearGradient gradient(lit, dark);
    gradient.setColorAt(0.0, m_light);
    gradient.setColorAt(0.45, m_base);
    gradient.setColorAt(1.0, m_shade);
    return gradient;
}

QRadialGradient EmblemPalette::litRound(QPointF centre, qreal radius, QPointF focus) const
{
    QRadialGradient gradient(centre, radius, focus);
    gradient.setColorAt(0.0, m_highlight);
    gradient.setColorAt(0.35, m_base);
    gradient.setColorAt(1.0, m_shade);
    return gradient;
}
