#include "SplashArt.h"

#include "Icons.h"
#include "Shapes.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

using namespace Shapes;

namespace {

constexpr int width = 500;
constexpr int height = 250;
const QRectF card(4, 34, 492, 212);

QPainterPath CardShape()
{
    QPainterPath shape;
    shape.addRoundedRect(card, 18, 18);
    // The emblem medallion rises above the card's top edge.
    shape.addEllipse(QPointF(96, 104), 84, 84);
    return shape.simplified();
}

void Landscape(QPainter& painter)
{
    QLinearGradient sky(0, card.top(), 0, card.bottom());
    sky.setColorAt(0.0, QColor(176, 222, 250));
    sky.setColorAt(0.55, QColor(232, 246, 236));
    sky.setColorAt(1.0, QColor(250, 252, 240));
    painter.fillRect(QRectF(0, 0, width, height), sky);
    painter.fillPath(Ellipse({452, 78}, 20, 20), QColor(255, 244, 196));

    QPainterPath far;
    far.moveTo(0, 200);
    far.cubicTo(120, 160, 240, 190, 330, 168);
    far.cubicTo(400, 152, 460, 170, 500, 160);
    far.lineTo(500, 250);
    far.lineTo(0, 250);
    far.closeSubpath();
    painter.fillPath(far, QColor(168, 214, 138));
    QPainterPath near;
    near.moveTo(0, 226);
    near.cubicTo(140, 196, 300, 236, 500, 206);
    near.lineTo(500, 250);
    near.lineTo(0, 250);
    near.closeSubpath();
    QLinearGradient grass(0, 200, 0, 250);
    grass.setColorAt(0.0, QColor(120, 190, 92));
    grass.setColorAt(1.0, QColor(72, 150, 64));
    painter.fillPath(near, grass);

    // A distant castle on the far hill.
    const QColor stone(126, 150, 150);
    painter.fillRect(QRectF(430, 146, 36, 26), stone);
    for (qreal x = 430; x < 466; x += 9)
        painter.fillRect(QRectF(x, 140, 5, 7), stone);
    painter.fillRect(QRectF(444, 130, 10, 18), stone);
    painter.fillRect(QRectF(448, 118, 2, 12), QColor(96, 110, 110));
    painter.fillPath(Polygon({{450, 118}, {461, 121}, {450, 124}}), QColor(214, 70, 60));
}

void Medallion(QPainter& painter)
{
    const QPointF centre(96, 104);
    QRadialGradient ring(centre - QPointF(20, 20), 90);
    ring.setColorAt(0.0, QColor(255, 250, 230));
    ring.setColorAt(1.0, QColor(228, 206, 150));
    painter.fillPath(Ellipse(centre, 82, 82), ring);
    Outline(painter, Ellipse(centre, 82, 82), QColor(150, 116, 50), 3);
    Outline(painter, Ellipse(centre, 73, 73), QColor(200, 170, 100), 1.5);
    painter.drawImage(QRectF(centre.x() - 62, centre.y() - 62, 124, 124), Icons::ApplicationIcon(256));
}

void Titles(QPainter& painter)
{
    QFont title(QStringLiteral("Noto Serif CJK SC"));
    title.setPixelSize(58);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(QPointF(202, 116), QStringLiteral("Korvale"));
    painter.setPen(QColor(34, 84, 60));
    painter.drawText(QPointF(200, 114), QStringLiteral("Korvale"));

    QFont subtitle(QStringLiteral("Noto Sans CJK SC"));
    subtitle.setPixelSize(19);
    painter.setFont(subtitle);
    painter.setPen(QColor(52, 96, 74));
    painter.drawText(QPointF(204, 150), QStringLiteral("录像浏览 · 整理 · 分享"));

    QFont version(QStringLiteral("Noto Sans CJK SC"));
    version.setPixelSize(14);
    painter.setFont(version);
    painter.setPen(QColor(255, 255, 255));
    QPainterPath badge;
    badge.addRoundedRect(QRectF(204, 164, 96, 24), 12, 12);
    painter.fillPath(badge, QColor(228, 120, 72));
    painter.drawText(QRectF(204, 164, 96, 24), Qt::AlignCenter, QStringLiteral("1.38正式版"));
}

// Hard-edges the picture against black: covered pixels become opaque (never exactly black),
// the rest exactly black, so the window shape is the card.
QImage OnBlack(const QImage& picture)
{
    QImage result(picture.size(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = qUnpremultiply(in[x]);
            if (qAlpha(pixel) < 128)
                out[x] = qRgb(0, 0, 0);
            else if ((pixel & RGB_MASK) == 0)
                out[x] = qRgb(1, 1, 1);
            else
                out[x] = pixel | 0xff000000u;
        }
    }
    return result;
}

} // namespace

namespace SplashArt {

QImage Splash()
{
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::NoPen);
    const QPainterPath shape = CardShape();
    painter.save();
    painter.setClipPath(shape);
    Landscape(painter);
    Titles(painter);
    painter.restore();
    Medallion(painter);
    Outline(painter, shape, QColor(96, 140, 110), 3);
    painter.end();
    return OnBlack(picture);
}

} // namespace SplashArt
