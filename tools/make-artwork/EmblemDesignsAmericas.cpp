// Emblems of the Mesoamerican civilizations.

#include "EmblemDesigns.h"
#include "Shapes.h"

#include <QPainter>

using namespace Shapes;

namespace EmblemDesigns {

void Aztecs(QPainter& painter, const EmblemPalette& palette)
{
    // Jaguar warrior's mask: the big cat's face seen from the front, spotted, fangs bared.
    QPainterPath ears = Ellipse({7, 9.5}, 3.4, 3.4).united(Ellipse({29, 9.5}, 3.4, 3.4));
    FillTeam(painter, ears, palette, {4, 4}, {32, 13});
    painter.fillPath(Ellipse({7.3, 9.8}, 1.6, 1.6), palette.Deep());
    painter.fillPath(Ellipse({28.7, 9.8}, 1.6, 1.6), palette.Deep());

    QPainterPath head;
    head.moveTo(18, 5);
    head.cubicTo(27, 5, 32, 11, 32, 18.5);
    head.cubicTo(32, 27, 26, 33.5, 18, 33.5);
    head.cubicTo(10, 33.5, 4, 27, 4, 18.5);
    head.cubicTo(4, 11, 9, 5, 18, 5);
    head.closeSubpath();
    painter.fillPath(head, palette.LitRound({18, 18}, 17, {13, 11}));
    Outline(painter, head, palette.Edge());

    for (const QPointF& spot : {QPointF(18, 8.5), QPointF(13.2, 9.6), QPointF(22.8, 9.6),
                                QPointF(8.2, 15), QPointF(27.8, 15), QPointF(7.5, 21.5),
                                QPointF(28.5, 21.5), QPointF(10.5, 27), QPointF(25.5, 27),
                                QPointF(15.5, 12.5), QPointF(20.5, 12.5)}) {
        Outline(painter, Ellipse(spot, 1.3, 1.1), palette.Edge(), 0.8);
        painter.fillPath(Ellipse(spot, 0.5, 0.45), palette.Deep());
    }

    // Two whisker pads either side of the nose, as on a big cat.
    const QPainterPath muzzle = Ellipse({15.2, 24.8}, 3.9, 3.4).united(Ellipse({20.8, 24.8}, 3.9, 3.4));
    painter.fillPath(muzzle, palette.Highlight());
    Outline(painter, muzzle, palette.Shade(), 0.8);
    for (const QPointF& whisker : {QPointF(13.5, 24.2), QPointF(15.2, 25.6), QPointF(13.2, 26.2)}) {
        painter.fillPath(Ellipse(whisker, 0.45, 0.45), palette.Deep());
        painter.fillPath(Ellipse({36 - whisker.x(), whisker.y()}, 0.45, 0.45), palette.Deep());
    }

    const QPainterPath eyeLeft = Polygon({{8.5, 16.5}, {11.5, 14}, {15.5, 15.8}, {12, 18}});
    const QPainterPath eyeRight = MirroredX(eyeLeft);
    painter.fillPath(eyeRight, Neutral::ivory);
    Outline(painter, eyeRight, Neutral::ink, 0.9);
    painter.fillPath(Ellipse({12.2, 16.1}, 0.6, 1.5), Neutral::ink);
    painter.fillPath(Ellipse({23.8, 16.1}, 0.6, 1.5), Neutral::ink);

    painter.fillPath(Polygon({{15.3, 20}, {20.7, 20}, {18, 23.2}}), Neutral::ink);
    QPainterPath mouth;
    mouth.moveTo(18, 23);
    mouth.lineTo(18, 27.5);
    mouth.moveTo(13.5, 28);
    mouth.quadTo(18, 30, 22.5, 28);
    Outline(painter, mouth, Neutral::ink, 0.9);
    const QPainterPath fangs = MirroredX(Polygon({{14.2, 28.3}, {16.2, 28.9}, {14.8, 32}}));
    painter.fillPath(fangs, Neutral::ivory);
    Outline(painter, fangs, Neutral::ink, 0.6);
}

void Mayans(QPainter& painter, const EmblemPalette& palette)
{
    // Stepped pyramid with its temple on top and the stair running up the middle.
    const int tiers = 5;
    for (int tier = 0; tier < tiers; ++tier) {
        const qreal inset = tier * 3.3;
        const qreal bottom = 34 - tier * 5;
        const QRectF block(1.5 + inset, bottom - 5, 33 - 2 * inset, 5);
        QPainterPath step;
        step.addRect(block);
        FillTeam(painter, step, palette, {block.left(), block.top()},
                 {block.right(), block.bottom() + 8});
        Line(painter, {block.left() + 0.6, block.top() + 0.7}, {block.right() - 0.6, block.top() + 0.7},
             palette.Highlight(), 0.9);
    }

    QPainterPath stair = Polygon({{14.5, 34}, {21.5, 34}, {20.5, 9}, {15.5, 9}});
    painter.fillPath(stair, palette.Shade());
    Outline(painter, stair, palette.Edge(), 0.8);
    for (qreal y = 11; y < 34; y += 2)
        Line(painter, {15.5 - (y - 9) * 0.04, y}, {20.5 + (y - 9) * 0.04, y}, palette.Light(), 0.6);

    QPainterPath temple;
    temple.addRect(QRectF(12.5, 3.5, 11, 5.8));
    FillTeam(painter, temple, palette, {12, 3}, {24, 10});
    QPainterPath crest;
    crest.addRect(QRectF(14.5, 1, 7, 2.5));
    FillTeam(painter, crest, palette, {14, 1}, {22, 4});
    painter.fillPath(Polygon({{16.5, 9.3}, {16.5, 6}, {18, 5}, {19.5, 6}, {19.5, 9.3}}), Neutral::ink);
}

} // namespace EmblemDesigns
