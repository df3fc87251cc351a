#include "KindIcons.h"

#include "Shapes.h"

#include <QLinearGradient>
#include <QPainter>

using namespace Shapes;

namespace {

// A transparent square whose painter draws in 16 units whatever the size.
struct Canvas {
    explicit Canvas(int size) : image(size, size, QImage::Format_ARGB32_Premultiplied)
    {
        image.fill(Qt::transparent);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.scale(size / 16.0, size / 16.0);
    }
    QImage Finish()
    {
        painter.end();
        return image;
    }

    QImage image;
    QPainter painter;
};

QLinearGradient Vertical(qreal top, qreal bottom, QColor upper, QColor lower)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0.0, upper);
    gradient.setColorAt(1.0, lower);
    return gradient;
}

// A sheet with its upper right corner folded over.
QPainterPath Sheet()
{
    return Polygon({{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 15.5}, {2.5, 15.5}});
}

void PaintSheet(QPainter& painter, QColor upper, QColor lower, QColor edge)
{
    const QPainterPath sheet = Sheet();
    painter.fillPath(sheet, Vertical(0, 16, upper, lower));
    Outline(painter, sheet, edge, 1.0);
    const QPainterPath fold = Polygon({{10.5, 0.5}, {10.5, 3.5}, {13.5, 3.5}});
    painter.fillPath(fold, lower.darker(115));
    Outline(painter, fold, edge, 1.0);
}

// One strapped volume of the RAR stack.
void PaintVolume(QPainter& painter, qreal top, QColor cover)
{
    const QRectF body(1.5, top, 13, 4);
    QPainterPath volume;
    volume.addRoundedRect(body, 0.8, 0.8);
    painter.fillPath(volume, Vertical(top, top + 4, cover.lighter(135), cover.darker(130)));
    painter.fillRect(QRectF(2.5, top + 0.9, 1.2, 2.2), QColor(250, 246, 232, 200)); // page edges
    Outline(painter, volume, cover.darker(250), 1.0);
}

} // namespace

namespace KindIcons {

QImage Folder(int size)
{
    Canvas canvas(size);
    QPainter& painter = canvas.painter;
    const QColor edge(120, 84, 24);
    const QPainterPath back = Polygon({{0.5, 2.5}, {5.5, 2.5}, {7, 4}, {15.5, 4}, {15.5, 14.5}, {0.5, 14.5}});
    painter.fillPath(back, Vertical(2, 15, QColor(222, 170, 70), QColor(176, 124, 40)));
    Outline(painter, back, edge, 1.0);
    const QPainterPath front = Polygon({{0.5, 6.5}, {15.5, 6.5}, {15.5, 14.5}, {0.5, 14.5}});
    painter.fillPath(front, Vertical(6, 15, QColor(255, 222, 128), QColor(232, 176, 68)));
    Line(painter, {1.5, 7.5}, {14.5, 7.5}, QColor(255, 244, 200), 1.0);
    Outline(painter, front, edge, 1.0);
    return canvas.Finish();
}

QImage Record(int size)
{
    Canvas canvas(size);
    QPainter& painter = canvas.painter;
    PaintSheet(painter, QColor(250, 244, 224), QColor(222, 206, 168), QColor(96, 80, 56));
    // Two crossed blades over a round shield: a recorded battle.
    Line(painter, {4.5, 6.5}, {11.5, 13.5}, QColor(70, 74, 82), 1.4);
    Line(painter, {11.5, 6.5}, {4.5, 13.5}, QColor(70, 74, 82), 1.4);
    const QPainterPath shield = Ellipse({8, 10}, 2.6, 2.6);
    painter.fillPath(shield, Vertical(7.5, 12.5, QColor(222, 62, 48), QColor(150, 28, 22)));
    Outline(painter, shield, QColor(90, 20, 16), 0.8);
    return canvas.Finish();
}

QImage ZipArchive(int size)
{
    Canvas canvas(size);
    QPainter& painter = canvas.painter;
    PaintSheet(painter, QColor(214, 230, 250), QColor(150, 184, 228), QColor(40, 70, 120));
    // The zipper down the middle: alternating teeth, then the pull.
    for (int step = 0; step < 4; ++step)
        painter.fillRect(QRectF(step % 2 == 0 ? 6 : 8, 1 + step * 2, 2, 1), QColor(60, 64, 72));
    QPainterPath pull;
    pull.addRoundedRect(QRectF(6, 9, 3.5, 5), 0.8, 0.8);
    painter.fillPath(pull, Vertical(9, 14, QColor(236, 238, 242), QColor(150, 154, 162)));
    Outline(painter, pull, QColor(50, 54, 62), 1.0);
    painter.fillRect(QRectF(7.25, 11, 1, 2), QColor(50, 54, 62));
    return canvas.Finish();
}

QImage RarArchive(int size)
{
    Canvas canvas(size);
    QPainter& painter = canvas.painter;
    PaintVolume(painter, 11.5, QColor(60, 96, 190));
    PaintVolume(painter, 7.0, QColor(176, 40, 52));
    PaintVolume(painter, 2.5, QColor(120, 56, 150));
    // The strap holding the stack together.
    painter.fillRect(QRectF(10, 2, 2, 14), QColor(92, 64, 36));
    painter.fillRect(QRectF(9.5, 8, 3, 2), QColor(226, 196, 96));
    return canvas.Finish();
}

} // namespace KindIcons
