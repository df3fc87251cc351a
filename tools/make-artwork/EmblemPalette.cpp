#include "EmblemPalette.h"

namespace {

QColor Scaled(QColor colour, double factor)
{
    return QColor::fromRgbF(colour.redF() * factor, colour.greenF() * factor, colour.blueF() * factor);
}

QColor TowardsWhite(QColor colour, double amount)
{
    const auto mix = [amount](double channel) { return channel + (1.0 - channel) * amount; };
    return QColor::fromRgbF(mix(colour.redF()), mix(colour.greenF()), mix(colour.blueF()));
}

} // namespace

EmblemPalette::EmblemPalette(QColor playerColour)
    : m_highlight(TowardsWhite(playerColour, 0.62))
    , m_light(TowardsWhite(playerColour, 0.30))
    , m_base(Scaled(playerColour, 0.90))
    , m_shade(Scaled(playerColour, 0.64))
    , m_deep(Scaled(playerColour, 0.40))
    , m_edge(Scaled(playerColour, 0.16))
{
}

QLinearGradient EmblemPalette::LitAlong(QPointF lit, QPointF dark) const
{
    QLinearGradient gradient(lit, dark);
    gradient.setColorAt(0.0, m_light);
    gradient.setColorAt(0.45, m_base);
    gradient.setColorAt(1.0, m_shade);
    return gradient;
}

QRadialGradient EmblemPalette::LitRound(QPointF centre, qreal radius, QPointF focus) const
{
    QRadialGradient gradient(centre, radius, focus);
    gradient.setColorAt(0.0, m_highlight);
    gradient.setColorAt(0.35, m_base);
    gradient.setColorAt(1.0, m_shade);
    return gradient;
}
