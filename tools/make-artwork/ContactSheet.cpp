#include "ContactSheet.h"

#include "Emblems.h"
#include "Icons.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int margin = 16;
constexpr int gap = 4;
constexpr int zoom = 3;
constexpr int realCell = Emblems::size + gap;
constexpr int zoomCell = Emblems::size * zoom + gap;
constexpr int labelHeight = 18;

QImage magnified(const QImage& image, int factor)
{
    // Nearest-neighbour, so every pixel of the picture can be judged.
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void drawEmblemTable(QPainter& painter, QPoint origin, int factor, bool labelled)
{
    const int cell = Emblems::size * factor + gap;
    const int top = origin.y() + (labelled ? labelHeight : 0);
    for (int civilization = 1; civilization <= Emblems::civilizationCount; ++civilization) {
        const int x = origin.x() + (civilization - 1) * cell;
        if (labelled)
            painter.drawText(QRect(x, origin.y(), cell - gap, labelHeight), Qt::AlignCenter,
                             Emblems::civilizationName(civilization));
        for (int colour = 0; colour < Emblems::colourCount; ++colour)
            painter.drawImage(QPoint(x, top + colour * cell),
                              magnified(Emblems::paintEmblem(civilization, colour), factor));
    }
}

// The small pictures in a row, each at real size with a magnified copy under it.
void drawIconRow(QPainter& painter, QPoint origin)
{
    const QImage icons[] = {Icons::kindPicture(1), Icons::kindPicture(2), Icons::kindPicture(3),
                            Icons::eye(),          Icons::enlarge(),      Icons::restore(),
                            Icons::triangleUp(),   Icons::triangleDown()};
    int x = origin.x();
    for (const QImage& icon : icons) {
        painter.drawImage(QPoint(x, origin.y()), icon);
        painter.drawImage(QPoint(x, origin.y() + 24), magnified(icon, 4));
        x += 16 * 4 + 12;
    }
}

} // namespace

QImage contactSheet()
{
    const int tableWidth = Emblems::civilizationCount * zoomCell;
    const int realHeight = Emblems::colourCount * realCell;
    const int zoomTop = margin + std::max(256, realHeight) + 2 * margin;
    const QSize size(2 * margin + tableWidth,
                     zoomTop + labelHeight + Emblems::colourCount * zoomCell + margin);

    QImage sheet(size, QImage::Format_RGB32);
    sheet.fill(QColor(236, 236, 236));
    QPainter painter(&sheet);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    painter.setPen(QColor(30, 30, 30));

    drawEmblemTable(painter, {margin, margin}, 1, false);
    const int besideTable = margin + Emblems::civilizationCount * realCell + 2 * margin;
    drawIconRow(painter, {besideTable, margin});
    painter.drawImage(QPoint(besideTable, margin + 140), Icons::applicationIcon(64));
    painter.drawImage(QPoint(size.width() - margin - 256, margin), Icons::applicationIcon(256));
    drawEmblemTable(painter, {margin, zoomTop}, zoom, true);
    return sheet;
}
