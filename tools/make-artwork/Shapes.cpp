#include "Shapes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>

namespace Shapes {

QPainterPath Polygon(std::initializer_list<QPointF> corners)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& corner : corners) {
        if (first)
            path.moveTo(corner);
        else
            path.lineTo(corner);
        first = false;
    }
    path.closeSubpath();
    return path;
}

QPainterPath Ellipse(QPointF centre, qreal radiusX, qreal radiusY)
{
    QPainterPath path;
    path.addEllipse(centre, radiusX, radiusY);
    return path;
}

QPainterPath MirroredX(const QPainterPath& half, qreal axis)
{
    const QTransform mirror(-1, 0, 0, 1, 2 * axis, 0);
    return half.united(mirror.map(half)).simplified();
}

QPainterPath Rotated(const QPainterPath& path, qreal degrees, QPointF centre)
{
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(degrees);
    turn.translate(-centre.x(), -centre.y());
    return turn.map(path);
}

QPainterPath Thickened(const QPainterPath& centreLine, qreal width, Qt::PenCapStyle cap)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centreLine).simplified();
}

void FillTeam(QPainter& painter, const QPainterPath& path, const EmblemPalette& palette,
              QPointF lit, QPointF dark)
{
    painter.fillPath(path, palette.LitAlong(lit, dark));
    Outline(painter, path, palette.Edge());
}

void FillSteel(QPainter& painter, const QPainterPath& path, QPointF lit, QPointF dark)
{
    QLinearGradient gradient(lit, dark);
    gradient.setColorAt(0.0, Neutral::steelLight);
    gradient.setColorAt(0.4, Neutral::steel);
    gradient.setColorAt(1.0, Neutral::steelDark);
    painter.fillPath(path, gradient);
    Outline(painter, path, Neutral::ink);
}

void FillWood(QPainter& painter, const QPainterPath& path, QPointF lit, QPointF dark)
{
    QLinearGradient gradient(lit, dark);
    gradient.setColorAt(0.0, Neutral::woodLight);
    gradient.setColorAt(0.5, Neutral::wood);
    gradient.setColorAt(1.0, Neutral::woodDark);
    painter.fillPath(path, gradient);
    Outline(painter, path, Neutral::ink);
}

void Bevel(QPainter& painter, const QPainterPath& path, QColor lit, QColor dark)
{
    // Each edge line is the outline shifted inwards and clipped to the shape, so it only
    // shows on the sides facing (or facing away from) the light.
    painter.save();
    painter.setClipPath(path, Qt::IntersectClip);
    Outline(painter, path.translated(0.9, 0.9), lit, 1.1);
    Outline(painter, path.translated(-0.9, -0.9), dark, 1.1);
    painter.restore();
}

void Outline(QPainter& painter, const QPainterPath& path, QColor colour, qreal width)
{
    painter.strokePath(path, QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void Line(QPainter& painter, QPointF from, QPointF to, QColor colour, qreal width)
{
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from, to);
    painter.setPen(Qt::NoPen);
}

void LitFace(QPainter& painter, QPointF centre, qreal radiusX, qreal radiusY)
{
    const QPainterPath face = Ellipse(centre, radiusX, radiusY);
    QLinearGradient light(centre - QPointF(radiusX, radiusY), centre + QPointF(radiusX, radiusY));
    light.setColorAt(0.0, QColor(196, 186, 174));
    light.setColorAt(1.0, QColor(104, 96, 88));
    painter.fillPath(face, light);
    painter.save();
    painter.setClipPath(face);
    painter.fillPath(Ellipse(centre - QPointF(0, radiusY * 1.15), radiusX * 1.4, radiusY * 0.75),
                     QColor(0, 0, 0, 110));
    painter.restore();
    const qreal eyeY = centre.y() - radiusY * 0.12;
    painter.fillPath(Ellipse({centre.x() - 2.1, eyeY}, 0.75, 0.65), Neutral::ink);
    painter.fillPath(Ellipse({centre.x() + 2.1, eyeY}, 0.75, 0.65), Neutral::ink);
    Line(painter, {centre.x() + 0.4, eyeY + 1}, {centre.x() + 0.6, eyeY + 2.6}, QColor(80, 72, 66), 0.8);
    Line(painter, {centre.x() - 1.6, eyeY + 4.3}, {centre.x() + 1.6, eyeY + 4.3}, QColor(70, 62, 56), 0.8);
}

void PaintEmblemBackground(QPainter& painter)
{
    QRadialGradient glow(QPointF(15, 12), 30);
    glow.setColorAt(0.0, QColor(72, 70, 66));
    glow.setColorAt(0.6, QColor(40, 39, 37));
    glow.setColorAt(1.0, QColor(22, 22, 21));
    painter.fillRect(QRectF(0, 0, 36, 36), glow);
}

} // namespace Shapes
