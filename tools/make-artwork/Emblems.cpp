#include "Emblems.h"

#include "EmblemDesigns.h"
#include "EmblemPalette.h"
#include "PlayerColour.h"
#include "Shapes.h"

#include <QPainter>

#include <array>

namespace {

struct Civilization {
    const char* name;
    EmblemDesigns::Design design;
};

const std::array<Civilization, Emblems::civilizationCount> civilizations{{
    {"Britons", EmblemDesigns::Britons},
    {"Franks", EmblemDesigns::Franks},
    {"Goths", EmblemDesigns::Goths},
    {"Teutons", EmblemDesigns::Teutons},
    {"Japanese", EmblemDesigns::Japanese},
    {"Chinese", EmblemDesigns::Chinese},
    {"Byzantines", EmblemDesigns::Byzantines},
    {"Persians", EmblemDesigns::Persians},
    {"Saracens", EmblemDesigns::Saracens},
    {"Turks", EmblemDesigns::Turks},
    {"Vikings", EmblemDesigns::Vikings},
    {"Mongols", EmblemDesigns::Mongols},
    {"Celts", EmblemDesigns::Celts},
    {"Spanish", EmblemDesigns::Spanish},
    {"Aztecs", EmblemDesigns::Aztecs},
    {"Mayans", EmblemDesigns::Mayans},
    {"Huns", EmblemDesigns::Huns},
    {"Koreans", EmblemDesigns::Koreans},
}};

QImage TransparentSquare()
{
    QImage image(Emblems::size, Emblems::size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The figure's own silhouette, darkened: laid down one pixel lower right, it lifts the
// figure off the plate.
QImage DropShadow(const QImage& figure)
{
    QImage shadow = figure;
    QPainter painter(&shadow);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shadow.rect(), QColor(0, 0, 0, 150));
    return shadow;
}

} // namespace

namespace Emblems {

QColor PlayerColour(int colour)
{
    return QColor::fromRgb(Mgx::PlayerColourRgb.at(static_cast<std::size_t>(colour)));
}

QString CivilizationName(int civilization)
{
    return QString::fromLatin1(civilizations.at(civilization - 1).name);
}

int EmblemIndex(int colour, int civilization)
{
    return civilizationCount * colour + civilization - 1;
}

QImage PaintEmblem(int civilization, int colour)
{
    QImage figure = TransparentSquare();
    {
        QPainter painter(&figure);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        civilizations.at(civilization - 1).design(painter, EmblemPalette(PlayerColour(colour)));
    }

    QImage emblem(size, size, QImage::Format_RGB32);
    QPainter painter(&emblem);
    Shapes::PaintEmblemBackground(painter);
    painter.drawImage(QPointF(1, 1), DropShadow(figure));
    painter.drawImage(QPointF(0, 0), figure);
    return emblem;
}

} // namespace Emblems
