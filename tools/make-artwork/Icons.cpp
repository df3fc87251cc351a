#include "Icons.h"

#include "PlayerKind.h"
#include "Shapes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <utility>

using namespace Shapes;

namespace {

QImage Blank(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void BeginSmooth(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
}

QImage HumanPlayer()
{
    QImage image = Blank(16);
    QPainter painter(&image);
    QLinearGradient plate(0, 0, 0, 16);
    plate.setColorAt(0.0, QColor(62, 66, 76));
    plate.setColorAt(1.0, QColor(28, 30, 36));
    painter.fillRect(image.rect(), plate);
    BeginSmooth(painter);
    QPainterPath person = Ellipse({8, 5.3}, 2.7, 2.9);
    QPainterPath shoulders;
    shoulders.moveTo(2, 16);
    shoulders.cubicTo(2, 11.5, 4.5, 9.3, 8, 9.3);
    shoulders.cubicTo(11.5, 9.3, 14, 11.5, 14, 16);
    shoulders.closeSubpath();
    person = person.united(shoulders);
    QLinearGradient lit(4, 2, 12, 16);
    lit.setColorAt(0.0, QColor(250, 250, 250));
    lit.setColorAt(1.0, QColor(176, 180, 188));
    painter.fillPath(person, lit);
    return image;
}

QImage Nature()
{
    QImage image = Blank(16);
    image.fill(Qt::white);
    return image;
}

QImage ComputerPlayer()
{
    QImage image = Blank(16);
    QPainter painter(&image);
    BeginSmooth(painter);
    QPainterPath casing;
    casing.addRoundedRect(QRectF(0.5, 1.5, 15, 10.5), 1.2, 1.2);
    QLinearGradient grey(0, 1, 0, 12);
    grey.setColorAt(0.0, QColor(226, 226, 222));
    grey.setColorAt(1.0, QColor(160, 160, 156));
    painter.fillPath(casing, grey);
    Outline(painter, casing, QColor(48, 48, 48), 1.0);

    const QRectF screen(2.5, 3.5, 11, 6.5);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0.0, QColor(96, 156, 236));
    glass.setColorAt(1.0, QColor(22, 52, 132));
    painter.fillRect(screen, glass);
    painter.fillPath(Polygon({{2.5, 3.5}, {8, 3.5}, {2.5, 7.5}}), QColor(255, 255, 255, 70));

    painter.fillRect(QRectF(6.5, 12, 3, 1.6), QColor(120, 120, 118));
    QPainterPath foot;
    foot.addRoundedRect(QRectF(3.5, 13.5, 9, 2), 0.8, 0.8);
    painter.fillPath(foot, grey);
    Outline(painter, foot, QColor(48, 48, 48), 0.8);
    return image;
}

QImage Triangle(bool up)
{
    QImage image = Blank(16);
    QPainter painter(&image);
    BeginSmooth(painter);
    const QPainterPath shape = up ? Polygon({{8, 4.5}, {13.5, 11.5}, {2.5, 11.5}})
                                  : Polygon({{2.5, 4.5}, {13.5, 4.5}, {8, 11.5}});
    QLinearGradient shade(0, 4.5, 0, 11.5);
    shade.setColorAt(0.0, QColor(96, 100, 110));
    shade.setColorAt(1.0, QColor(40, 42, 48));
    painter.fillPath(shape, shade);
    Outline(painter, shape, QColor(30, 30, 34), 0.8);
    return image;
}

// Window squares for the map corner, drawn on whole pixels: a frame with a thick title bar.
void WindowSquare(QPainter& painter, int left, int top, int size, bool opaque)
{
    const QColor glyph(24, 24, 24);
    if (opaque)
        painter.fillRect(left, top, size, size, Qt::white);
    painter.fillRect(left, top, size, 2, glyph);
    painter.fillRect(left, top, 1, size, glyph);
    painter.fillRect(left + size - 1, top, 1, size, glyph);
    painter.fillRect(left, top + size - 1, size, 1, glyph);
}

void DiamondMap(QPainter& painter)
{
    const QPainterPath land = Polygon({{128, 18}, {242, 128}, {128, 238}, {14, 128}});
    QPainterPath rim = Polygon({{128, 8}, {252, 128}, {128, 248}, {4, 128}});
    painter.fillPath(rim, QColor(40, 34, 26));
    QRadialGradient grass({110, 100}, 150);
    grass.setColorAt(0.0, QColor(132, 176, 74));
    grass.setColorAt(1.0, QColor(58, 104, 40));
    painter.fillPath(land, grass);

    painter.save();
    painter.setClipPath(land);
    QPainterPath river;
    river.moveTo(60, 40);
    river.cubicTo(110, 100, 40, 150, 110, 190);
    river.cubicTo(150, 215, 170, 200, 220, 250);
    painter.setPen(QPen(QColor(54, 110, 190), 16, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(river);
    painter.setPen(QPen(QColor(120, 170, 230), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(river.translated(-3, -2));
    painter.setPen(Qt::NoPen);
    for (const QPointF& tree : {QPointF(150, 60), QPointF(168, 72), QPointF(140, 80), QPointF(190, 100),
                                QPointF(176, 116), QPointF(205, 122), QPointF(60, 128), QPointF(76, 140),
                                QPointF(100, 210), QPointF(118, 222)}) {
        painter.fillPath(Ellipse(tree, 11, 11), QColor(30, 70, 30));
        painter.fillPath(Ellipse(tree - QPointF(3, 3), 6, 6), QColor(60, 110, 48));
    }
    painter.restore();
    Outline(painter, land, QColor(226, 200, 130), 5);
}

void Sword(QPainter& painter)
{
    // Drawn pointing up along the y axis, centred on the origin.
    const QPainterPath blade = Polygon({{-7, 40}, {-7, -78}, {0, -96}, {7, -78}, {7, 40}});
    QLinearGradient steel(-7, 0, 7, 0);
    steel.setColorAt(0.0, QColor(250, 250, 252));
    steel.setColorAt(0.5, QColor(190, 194, 202));
    steel.setColorAt(0.51, QColor(120, 124, 134));
    steel.setColorAt(1.0, QColor(170, 174, 182));
    painter.fillPath(blade, steel);
    Outline(painter, blade, QColor(20, 20, 24), 3);

    QPainterPath guard;
    guard.addRoundedRect(QRectF(-26, 38, 52, 10), 5, 5);
    QPainterPath grip;
    grip.addRect(QRectF(-5, 48, 10, 28));
    const QPainterPath pommel = Ellipse({0, 82}, 8, 8);
    const QColor gold(214, 170, 60);
    const std::pair<QPainterPath, QColor> parts[] = {{grip, QColor(92, 56, 32)}, {guard, gold}, {pommel, gold}};
    for (const auto& [part, colour] : parts) {
        painter.fillPath(part, colour);
        Outline(painter, part, QColor(20, 20, 24), 3);
    }
}

} // namespace

namespace Icons {

QImage KindPicture(int kind)
{
    switch (kind) {
    case Mgx::PlayerKind::Human:
        return HumanPlayer();
    case Mgx::PlayerKind::Nature:
        return Nature();
    default:
        return ComputerPlayer();
    }
}

QImage Eye()
{
    QImage image = Blank(16);
    QPainter painter(&image);
    BeginSmooth(painter);
    QPainterPath almond;
    almond.moveTo(0.8, 8);
    almond.quadTo(8, 0.5, 15.2, 8);
    almond.quadTo(8, 15.5, 0.8, 8);
    almond.closeSubpath();
    painter.fillPath(almond, Qt::white);

    painter.save();
    painter.setClipPath(almond);
    QRadialGradient iris({7.4, 7.2}, 3.6);
    iris.setColorAt(0.0, QColor(110, 170, 230));
    iris.setColorAt(1.0, QColor(30, 80, 150));
    painter.fillPath(Ellipse({8, 8}, 3.4, 3.4), iris);
    painter.fillPath(Ellipse({8, 8}, 1.5, 1.5), QColor(10, 10, 14));
    painter.fillPath(Ellipse({6.9, 6.8}, 0.8, 0.8), Qt::white);
    painter.restore();
    Outline(painter, almond, QColor(20, 20, 24), 1.2);
    return image;
}

QImage Enlarge()
{
    QImage image = Blank(11);
    QPainter painter(&image);
    WindowSquare(painter, 1, 1, 9, true);
    return image;
}

QImage Restore()
{
    QImage image = Blank(11);
    QPainter painter(&image);
    WindowSquare(painter, 3, 1, 7, true);
    WindowSquare(painter, 1, 3, 7, true);
    return image;
}

QImage TriangleUp()
{
    return Triangle(true);
}

QImage TriangleDown()
{
    return Triangle(false);
}

QImage ApplicationIcon(int size)
{
    QImage image = Blank(size);
    QPainter painter(&image);
    BeginSmooth(painter);
    painter.scale(size / 256.0, size / 256.0);
    DiamondMap(painter);
    for (const qreal angle : {45.0, -45.0}) {
        painter.save();
        painter.translate(128, 124);
        painter.rotate(angle);
        Sword(painter);
        painter.restore();
    }
    return image;
}

} // namespace Icons
