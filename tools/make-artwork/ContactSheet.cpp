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

QImage Magnified(const QImage& image, int factor)
{
    // Nearest-neighbour, so every pixel of the picture can be judged.
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void DrawEmblemTable(QPainter& painter, QPoint origin, int factor, bool labelled)
{
    const int cell = Emblems::size * factor + gap;
    const int top = origin.y() + (labelled ? labelHeight : 0);
    for (int civilization = 1; civilization <= Emblems::civilizationCount; ++civilization) {
        const int x = origin.x() + (civilization - 1) * cell;
        if (labelled)
            painter.drawText(QRect(x, origin.y(), cell - gap, labelHeight), Qt::AlignCenter,
                             Emblems::CivilizationName(civilization));
        for (int colour = 0; colour < Emblems::colourCount; ++colour)
            painter.drawImage(QPoint(x, top + colour * cell),
                              Magnified(Emblems::PaintEmblem(civilization, colour), factor));
    }
}

// The small pictures in a row, each at real size with a magnified copy under it.
void DrawIconRow(QPainter& painter, QPoint origin)
{
    const QImage icons[] = {Icons::KindPicture(1), Icons::KindPicture(2), Icons::KindPicture(3),
                            Icons::Eye(),          Icons::Enlarge(),      Icons::Restore(),
                            Icons::TriangleUp(),   Icons::TriangleDown()};
    int x = origin.x();
    for (const QImage& icon : icons) {
        painter.drawImage(QPoint(x, origin.y()), icon);
        painter.drawImage(QPoint(x, origin.y() + 24), Magnified(icon, 4));
        x += 16 * 4 + 12;
    }
}

} // namespace

QImage ContactSheet()
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

    DrawEmblemTable(painter, {margin, margin}, 1, false);
    const int besideTable = margin + Emblems::civilizationCount * realCell + 2 * margin;
    DrawIconRow(painter, {besideTable, margin});
    painter.drawImage(QPoint(besideTable, margin + 140), Icons::ApplicationIcon(64));
    painter.drawImage(QPoint(size.width() - margin - 256, margin), Icons::ApplicationIcon(256));
    DrawEmblemTable(painter, {margin, zoomTop}, zoom, true);
    return sheet;
}
