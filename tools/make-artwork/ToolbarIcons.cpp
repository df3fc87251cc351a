#include "ToolbarIcons.h"

#include "Shapes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <functional>
#include <vector>

using namespace Shapes;

namespace {

using Drawing = std::function<void(QPainter&)>;

// One palette for all toolbar pictures: warm folders, a calm blue, a fresh green, a clear red.
const QColor folderLight(255, 226, 128);
const QColor folderDark(232, 172, 48);
const QColor folderEdge(150, 102, 24);
const QColor blueLight(110, 176, 240);
const QColor blueDark(30, 100, 190);
const QColor blueEdge(20, 64, 130);
const QColor greenLight(136, 212, 110);
const QColor greenDark(52, 150, 60);
const QColor greenEdge(30, 96, 38);
const QColor redLight(244, 110, 96);
const QColor redDark(196, 40, 36);
const QColor redEdge(120, 22, 20);
const QColor paperEdge(110, 118, 130);

QLinearGradient Vertical(qreal top, qreal bottom, const QColor& light, const QColor& dark)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0.0, light);
    gradient.setColorAt(1.0, dark);
    return gradient;
}

void Fill(QPainter& painter, const QPainterPath& path, const QColor& light, const QColor& dark, const QColor& edge,
          qreal edgeWidth = 1.2)
{
    const QRectF box = path.boundingRect();
    painter.fillPath(path, Vertical(box.top(), box.bottom(), light, dark));
    Outline(painter, path, edge, edgeWidth);
}

// A folder filling `box`; open shows the front flap tilted forward.
void Folder(QPainter& painter, const QRectF& box, bool open)
{
    const qreal l = box.left(), t = box.top(), r = box.right(), b = box.bottom(), w = box.width();
    QPainterPath back;
    back.moveTo(l, b);
    back.lineTo(l, t + 2);
    back.quadTo(l, t, l + 2, t);
    back.lineTo(l + w * 0.36, t);
    back.lineTo(l + w * 0.46, t + box.height() * 0.16);
    back.lineTo(r - 1.5, t + box.height() * 0.16);
    back.quadTo(r, t + box.height() * 0.16, r, t + box.height() * 0.16 + 1.5);
    back.lineTo(r, b);
    back.closeSubpath();
    Fill(painter, back, folderDark, QColor(196, 136, 30), folderEdge);
    // A sheet of paper peeking out.
    painter.fillRect(QRectF(l + w * 0.12, t + box.height() * 0.24, w * 0.74, box.height() * 0.3), QColor(252, 252, 248));
    const qreal frontTop = t + box.height() * 0.34;
    const QPainterPath front = open ? Polygon({{l + w * 0.16, frontTop}, {r + 1, frontTop}, {r - w * 0.1, b}, {l, b}})
                                    : Polygon({{l, frontTop}, {r, frontTop}, {r, b}, {l, b}});
    Fill(painter, front, folderLight, folderDark, folderEdge);
}

// A thick arrow from `from` towards `to` with a head of the given size.
void Arrow(QPainter& painter, QPointF from, QPointF to, qreal width, qreal head, const QColor& light,
           const QColor& dark, const QColor& edge)
{
    const QLineF line(from, to);
    painter.save();
    painter.translate(from);
    painter.rotate(-line.angle());
    const qreal length = line.length();
    const QPainterPath shape = Polygon({{0, -width / 2}, {length - head, -width / 2}, {length - head, -head * 0.8},
                                        {length, 0}, {length - head, head * 0.8}, {length - head, width / 2},
                                        {0, width / 2}});
    painter.fillPath(shape, Vertical(-head, head, light, dark));
    Outline(painter, shape, edge, 1.1);
    painter.restore();
}

// A sheet with a folded corner and a few lines of text.
void Page(QPainter& painter, const QRectF& box)
{
    const qreal fold = box.width() * 0.3;
    const QPainterPath sheet = Polygon({box.topLeft(), {box.right() - fold, box.top()}, {box.right(), box.top() + fold},
                                        box.bottomRight(), box.bottomLeft()});
    Fill(painter, sheet, QColor(255, 255, 255), QColor(226, 232, 240), paperEdge, 1.0);
    const QPainterPath corner = Polygon({{box.right() - fold, box.top()}, {box.right() - fold, box.top() + fold},
                                         {box.right(), box.top() + fold}});
    Fill(painter, corner, QColor(236, 240, 246), QColor(200, 208, 218), paperEdge, 0.8);
    for (qreal y = box.top() + fold + 2.5; y < box.bottom() - 2; y += 3.2)
        Line(painter, {box.left() + 2.5, y}, {box.right() - 2.5, y}, QColor(150, 170, 200), 1.0);
}

// An archive box with a band round it.
void Box(QPainter& painter, const QRectF& box)
{
    QPainterPath body;
    body.addRoundedRect(box, 2, 2);
    Fill(painter, body, QColor(214, 168, 112), QColor(160, 110, 60), QColor(96, 62, 28));
    painter.fillRect(QRectF(box.left() + 1, box.top() + box.height() * 0.3, box.width() - 2, 3), QColor(120, 78, 38, 160));
    const QRectF band(box.center().x() - 3, box.top() + 0.6, 6, box.height() - 1.2);
    painter.fillRect(band, Vertical(band.top(), band.bottom(), blueLight, blueDark));
    for (qreal y = box.top() + 3; y < box.bottom() - 2; y += 3)
        painter.fillRect(QRectF(band.left() + 1.5, y, 3, 1.2), QColor(230, 240, 255));
}

void OpenFolderPicture(QPainter& painter)
{
    Folder(painter, {2, 6, 26, 22}, true);
    Arrow(painter, {16, 20}, {29, 4}, 3.2, 5.5, greenLight, greenDark, greenEdge);
}

void SaveGamePicture(QPainter& painter)
{
    Folder(painter, {2, 6, 28, 22}, false);
    // A small banner: the game's own records live here.
    Line(painter, {20, 3}, {20, 25}, QColor(90, 60, 30), 1.6);
    const QPainterPath flag = Polygon({{20.8, 3.5}, {30, 6.5}, {20.8, 10.5}});
    Fill(painter, flag, redLight, redDark, redEdge, 1.0);
}

void MovePicture(QPainter& painter)
{
    Folder(painter, {10, 10, 20, 17}, false);
    Page(painter, {2, 3, 12, 15});
    Arrow(painter, {6, 24}, {22, 18}, 3.2, 5.5, blueLight, blueDark, blueEdge);
}

void CopyPicture(QPainter& painter)
{
    Page(painter, {3, 3, 15, 19});
    Page(painter, {13, 10, 15, 19});
}

void DeletePicture(QPainter& painter)
{
    const QPainterPath cross = Thickened(Polygon({{7, 7}, {25, 25}}), 6).united(Thickened(Polygon({{25, 7}, {7, 25}}), 6));
    Fill(painter, cross, redLight, redDark, redEdge);
}

void RenamePicture(QPainter& painter)
{
    QPainterPath field;
    field.addRoundedRect(QRectF(2, 11, 28, 12), 2, 2);
    Fill(painter, field, QColor(255, 255, 255), QColor(232, 238, 246), paperEdge, 1.0);
    painter.fillRect(QRectF(5, 14.5, 9, 5), blueDark);
    Line(painter, {16, 14}, {16, 20}, QColor(30, 30, 30), 1.0);
    // A pencil across the field.
    painter.save();
    painter.translate(24, 14);
    painter.rotate(-40);
    QPainterPath pencil;
    pencil.addRect(QRectF(-3, -14, 6, 14));
    Fill(painter, pencil, folderLight, folderDark, folderEdge, 1.0);
    const QPainterPath tip = Polygon({{-3, 0}, {3, 0}, {0, 6}});
    Fill(painter, tip, QColor(240, 214, 170), QColor(200, 160, 110), folderEdge, 1.0);
    painter.fillRect(QRectF(-3, -17, 6, 3), redDark);
    painter.restore();
}

void PackPicture(QPainter& painter)
{
    Box(painter, {5, 13, 22, 16});
    Arrow(painter, {16, 1}, {16, 14}, 3.4, 5.5, greenLight, greenDark, greenEdge);
}

void UnpackPicture(QPainter& painter)
{
    Box(painter, {5, 15, 22, 14});
    Arrow(painter, {16, 17}, {16, 1}, 3.4, 5.5, blueLight, blueDark, blueEdge);
}

void LaunchPicture(QPainter& painter)
{
    // A castle keep with a banner: start the game.
    QPainterPath keep;
    keep.moveTo(5, 29);
    for (const qreal x : {5.0, 11.0, 17.0, 23.0})
        keep.addRect(QRectF(x, 8, 4, 4));
    keep.addRect(QRectF(5, 11, 22, 18));
    keep = keep.simplified();
    Fill(painter, keep, QColor(226, 222, 210), QColor(160, 154, 140), QColor(80, 74, 64));
    QPainterPath gate;
    gate.moveTo(12.5, 29);
    gate.lineTo(12.5, 22);
    gate.quadTo(16, 17, 19.5, 22);
    gate.lineTo(19.5, 29);
    gate.closeSubpath();
    painter.fillPath(gate, QColor(92, 60, 34));
    Line(painter, {16, 8}, {16, 1}, QColor(80, 74, 64), 1.4);
    Fill(painter, Polygon({{16.7, 1.5}, {24, 3.5}, {16.7, 6}}), redLight, redDark, redEdge, 0.9);
}

void GoPicture(QPainter& painter)
{
    Arrow(painter, {4, 16}, {28, 16}, 8, 11, greenLight, greenDark, greenEdge);
}

void UpPicture(QPainter& painter)
{
    Folder(painter, {2, 10, 24, 19}, false);
    Arrow(painter, {22, 30}, {22, 2}, 5, 9, greenLight, greenDark, greenEdge);
}

void RefreshPicture(QPainter& painter)
{
    painter.save();
    painter.setPen(QPen(blueEdge, 7, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(6, 6, 20, 20);
    painter.drawArc(ring, 30 * 16, 250 * 16);
    painter.setPen(QPen(blueLight, 4.4, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(ring, 31 * 16, 248 * 16);
    painter.restore();
    const QPainterPath head = Polygon({{18, 2}, {30, 9}, {19, 15}});
    Fill(painter, head, blueLight, blueDark, blueEdge, 1.1);
}

void ViewPicture(QPainter& painter)
{
    QPainterPath window;
    window.addRoundedRect(QRectF(3, 4, 26, 24), 2, 2);
    Fill(painter, window, QColor(255, 255, 255), QColor(230, 236, 244), paperEdge, 1.2);
    painter.fillRect(QRectF(3.6, 4.6, 24.8, 4.5), Vertical(4, 9, blueLight, blueDark));
    for (qreal y = 12; y < 26; y += 4.5) {
        painter.fillRect(QRectF(6, y, 3.5, 3), folderDark);
        painter.fillRect(QRectF(11.5, y + 0.8, 14, 1.6), QColor(120, 130, 146));
    }
}

QImage Picture(int size, const Drawing& draw)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.scale(size / 32.0, size / 32.0);
    draw(painter);
    return image;
}

// The greyed state: light grey, half transparent, so the shape still reads.
QImage Disabled(const QImage& picture)
{
    QImage grey = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int value = 150 + qGray(line[x]) * 90 / 255;
            line[x] = qRgba(value, value, value, qAlpha(line[x]) * 6 / 10);
        }
    }
    return grey;
}

QImage Strip(int size, const std::vector<Drawing>& drawings, bool disabled)
{
    QImage strip(size * int(drawings.size()), size, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (size_t i = 0; i < drawings.size(); ++i) {
        const QImage picture = Picture(size, drawings[i]);
        painter.drawImage(int(i) * size, 0, disabled ? Disabled(picture) : picture);
    }
    return strip;
}

} // namespace

namespace ToolbarIcons {

QImage MainStrip(bool disabled)
{
    return Strip(32, {OpenFolderPicture, SaveGamePicture, MovePicture, CopyPicture, DeletePicture, RenamePicture,
                      PackPicture, UnpackPicture, LaunchPicture},
                 disabled);
}

QImage AddressStrip(bool disabled)
{
    const Drawing folder = [](QPainter& painter) { Folder(painter, {2, 5, 28, 23}, false); };
    return Strip(24, {folder, GoPicture, UpPicture, RefreshPicture, ViewPicture}, disabled);
}

QImage PlaceFolder(bool open)
{
    return Picture(16, [open](QPainter& painter) { Folder(painter, {1.5, 4, 29, 24}, open); });
}

QImage PlaceDesktop()
{
    return Picture(16, [](QPainter& painter) {
        QPainterPath screen;
        screen.addRoundedRect(QRectF(1.5, 3, 29, 21), 2.5, 2.5);
        Fill(painter, screen, blueLight, blueDark, blueEdge, 2.2);
        painter.fillRect(QRectF(12, 24, 8, 4), QColor(110, 118, 130));
        painter.fillRect(QRectF(7, 28, 18, 2.5), QColor(90, 98, 110));
    });
}

QImage PlaceComputer()
{
    return Picture(16, [](QPainter& painter) {
        QPainterPath casing;
        casing.addRoundedRect(QRectF(1.5, 2, 29, 20), 2.5, 2.5);
        Fill(painter, casing, QColor(236, 236, 232), QColor(176, 176, 170), QColor(70, 70, 70), 2.0);
        painter.fillRect(QRectF(5, 5, 22, 13), Vertical(5, 18, blueLight, blueDark));
        QPainterPath foot;
        foot.addRoundedRect(QRectF(6, 25, 20, 5), 1.5, 1.5);
        Fill(painter, foot, QColor(220, 220, 216), QColor(170, 170, 166), QColor(70, 70, 70), 2.0);
    });
}

QImage PlaceDrive()
{
    return Picture(16, [](QPainter& painter) {
        QPainterPath body;
        body.addRoundedRect(QRectF(1.5, 9, 29, 15), 3, 3);
        Fill(painter, body, QColor(226, 228, 232), QColor(150, 154, 162), QColor(70, 72, 78), 2.0);
        painter.fillRect(QRectF(22, 15, 5, 3.5), greenDark);
    });
}

QImage SwitchArrow(bool fold)
{
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Whole pixels: at 8 x 8 a smoothed triangle turns to mush.
    const QColor ink(70, 96, 130);
    for (int column = 0; column < 4; ++column) {
        const int x = fold ? 2 + column : 5 - column;
        for (int y = 4 - column - 1; y <= 4 + column; ++y) {
            if (y >= 0 && y < 8)
                image.setPixelColor(x, y, ink);
        }
    }
    return image;
}

} // namespace ToolbarIcons
