#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPointF>
#include <QRadialGradient>

// The shades of one player colour that an emblem is painted in. The team-coloured part of an
// emblem uses only these, so the same design reads as one unit in each of the eight colours.
class EmblemPalette {
public:
    explicit EmblemPalette(QColor playerColour);

    QColor Highlight() const { return m_highlight; }
    QColor Light() const { return m_light; }
    QColor Base() const { return m_base; }
    QColor Shade() const { return m_shade; }
    QColor Deep() const { return m_deep; }
    // Edge line of team-coloured shapes: darker than any shade, still tinted.
    QColor Edge() const { return m_edge; }

    // Linear shading from `lit` (highlight side) to `dark`, the way a lamp at the upper left
    // lights a rounded surface.
    QLinearGradient LitAlong(QPointF lit, QPointF dark) const;
    // Shading of a dome or ball: brightest at `focus`, falling off to the shade at `radius`.
    QRadialGradient LitRound(QPointF centre, qreal radius, QPointF focus) const;

private:
    QColor m_highlight;
    QColor m_light;
    QColor m_base;
    QColor m_shade;
    QColor m_deep;
    QColor m_edge;
};
