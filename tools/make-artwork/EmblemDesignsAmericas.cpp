// Emblems of the Mesoamerican civilizations.

#include "EmblemDesigns.h"
#include "Shapes.h"

#include <QPainter>

using namespace Shapes;

namespace EmblemDesigns {

void aztecs(QPainter& painter, const EmblemPalette& palette)
{
    // Jaguar warrior's mask: the big cat's face seen from the front, spotted, fangs bared.
    QPainterPath ears = ellipse({7, 9.5}, 3.4, 3.4).united(ellipse({29, 9.5}, 3.4, 3.4));
    fillTeam(painter, ears, palette, {4, 4}, {32, 13});
    painter.fillPath(ellipse({7.3, 9.8}, 1.6, 1.6), palette.deep());
    painter.fillPath(ellipse({28.7, 9.8}, 1.6, 1.6), palette.deep());

    QPainterPath head;
    head.moveTo(18, 5);
    head.cubicTo(27, 5, 32, 11, 32, 18.5);
    head.cubicTo(32, 27, 26, 33.5, 18, 33.5);
    head.cubicTo(10, 33.5, 4, 27, 4, 18.5);
    head.cubicTo(4, 11, 9, 5, 18, 5);
    head.closeSubpath();
    painter.fillPath(head, palette.litRound({18, 18}, 17, {13, 11}));
    outline(painter, head, palette.edge());

    for (const QPointF& spot : {QPointF(18, 8.5), QPointF(13.2, 9.6), QPointF(22.8, 9.6),
                                QPointF(8.2, 15), QPointF(27.8, 15), QPointF(7.5, 21.5),
                                QPointF(28.5, 21.5), QPointF(10.5, 27), QPointF(25.5, 27),
                                QPointF(15.5, 12.5), QPointF(20.5, 12.5)}) {
        outline(painter, ellipse(spot, 1.3, 1.1), palette.edge(), 0.8);
        painter.fillPath(ellipse(spot, 0.5, 0.45), palette.deep());
    }

    // Two whisker pads either side of the nose, as on a big cat.
    const QPainterPath muzzle = ellipse({15.2, 24.8}, 3.9, 3.4).united(ellipse({20.8, 24.8}, 3.9, 3.4));
    painter.fillPath(muzzle, palette.highlight());
    outline(painter, muzzle, palette.shade(), 0.8);
    for (const QPointF& whisker : {QPointF(13.5, 24.2), QPointF(15.2, 25.6), QPointF(13.2, 26.2)}) {
        painter.fillPath(ellipse(whisker, 0.45, 0.45), palette.deep());
        painter.fillPath(ellipse({36 - whisker.x(), whisker.y()}, 0.45, 0.45), palette.deep());
    }

    const QPainterPath eyeLeft = polygon({{8.5, 16.5}, {11.5, 14}, {15.5, 15.8}, {12, 18}});
    const QPainterPath eyeRight = mirroredX(eyeLeft);
    painter.fillPath(eyeRight, Neutral::ivory);
    outline(painter, eyeRight, Neutral::ink, 0.9);
    painter.fillPath(ellipse({12.2, 16.1}, 0.6, 1.5), Neutral::ink);
    painter.fillPath(ellipse({23.8, 16.1}, 0.6, 1.5), Neutral::ink);

    painter.fillPath(polygon({{15.3, 20}, {20.7, 20}, {18, 23.2}}), Neutral::ink);
    QPainterPath mouth;
    mouth.moveTo(18, 23);
    mouth.lineTo(18, 27.5);
    mouth.moveTo(13.5, 28);
    mouth.quadTo(18, 30, 22.5, 28);
    outline(painter, mouth, Neutral::ink, 0.9);
    const QPainterPath fangs = mirroredX(polygon({{14.2, 28.3}, {16.2, 28.9}, {14.8, 32}}));
    painter.fillPath(fangs, Neutral::ivory);
    outline(painter, fangs, Neutral::ink, 0.6);
}

void mayans(QPainter& painter, const EmblemPalette& palette)
{
    // Stepped pyramid with its temple on top and the stair running up the middle.
    const int tiers = 5;
    for (int tier = 0; tier < tiers; ++tier) {
        const qreal inset = tier * 3.3;
        const qreal bottom = 34 - tier * 5;
        const QRectF block(1.5 + inset, bottom - 5, 33 - 2 * inset, 5);
        QPainterPath step;
        step.addRect(block);
        fillTeam(painter, step, palette, {block.left(), block.top()},
                 {block.right(), block.bottom() + 8});
        line(painter, {block.left() + 0.6, block.top() + 0.7}, {block.right() - 0.6, block.top() + 0.7},
             palette.highlight(), 0.9);
    }

    QPainterPath stair = polygon({{14.5, 34}, {21.5, 34}, {20.5, 9}, {15.5, 9}});
    painter.fillPath(stair, palette.shade());
    outline(painter, stair, palette.edge(), 0.8);
    for (qreal y = 11; y < 34; y += 2)
        line(painter, {15.5 - (y - 9) * 0.04, y}, {20.5 + (y - 9) * 0.04, y}, palette.light(), 0.6);

    QPainterPath temple;
    temple.addRect(QRectF(12.5, 3.5, 11, 5.8));
    fillTeam(painter, temple, palette, {12, 3}, {24, 10});
    QPainterPath crest;
    crest.addRect(QRectF(14.5, 1, 7, 2.5));
    fillTeam(painter, crest, palette, {14, 1}, {22, 4});
    painter.fillPath(polygon({{16.5, 9.3}, {16.5, 6}, {18, 5}, {19.5, 6}, {19.5, 9.3}}), Neutral::ink);
}

} // namespace EmblemDesigns
