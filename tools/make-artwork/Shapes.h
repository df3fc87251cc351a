#pragma once

#include "EmblemPalette.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>

#include <initializer_list>

class QPainter;

// Drawing helpers shared by the emblem designs and the icons. Emblems are drawn in a 36 x 36
// unit square, lit from the upper left.
namespace Shapes {

// Colours of the parts of an emblem that are not team-coloured. They are kept unsaturated so
// the player colour stays the only hue on the picture.
namespace Neutral {
inline const QColor ink{14, 13, 12};
inline const QColor steelLight{214, 216, 220};
inline const QColor steel{150, 153, 158};
inline const QColor steelDark{78, 80, 86};
inline const QColor woodLight{184, 162, 132};
inline const QColor wood{104, 92, 80};
inline const QColor woodDark{58, 51, 45};
inline const QColor ivory{236, 232, 220};
inline const QColor shadow{24, 23, 22};
} // namespace Neutral

QPainterPath Polygon(std::initializer_list<QPointF> corners);
QPainterPath Ellipse(QPointF centre, qreal radiusX, qreal radiusY);
// The path joined with its mirror image about the vertical line x = axis.
QPainterPath MirroredX(const QPainterPath& half, qreal axis = 18.0);
QPainterPath Rotated(const QPainterPath& path, qreal degrees, QPointF centre);
// The area covered by a pen of `width` drawn along `centreLine`.
QPainterPath Thickened(const QPainterPath& centreLine, qreal width,
                       Qt::PenCapStyle cap = Qt::RoundCap);

// Team-coloured fill with shading from `lit` to `dark`, then the team edge line.
void FillTeam(QPainter& painter, const QPainterPath& path, const EmblemPalette& palette,
              QPointF lit = {6, 4}, QPointF dark = {30, 32});
// Polished steel: bright band near `lit`, dark towards `dark`, ink edge.
void FillSteel(QPainter& painter, const QPainterPath& path, QPointF lit = {6, 4},
               QPointF dark = {30, 32});
// Timber: light grain near `lit`, dark towards `dark`, ink edge.
void FillWood(QPainter& painter, const QPainterPath& path, QPointF lit = {6, 4},
              QPointF dark = {30, 32});
// A raised look: a bright line inside the upper left edges, a dark one inside the lower right.
void Bevel(QPainter& painter, const QPainterPath& path, QColor lit, QColor dark);
void Outline(QPainter& painter, const QPainterPath& path, QColor colour, qreal width = 1.0);
void Line(QPainter& painter, QPointF from, QPointF to, QColor colour, qreal width = 1.0);

// A face lit from the upper left under the brow of a hood or helmet, eyes, nose and mouth
// as small marks.
void LitFace(QPainter& painter, QPointF centre, qreal radiusX, qreal radiusY);

// The dark neutral plate every emblem sits on, so white and yellow still read.
void PaintEmblemBackground(QPainter& painter);

} // namespace Shapes
