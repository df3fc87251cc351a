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
    {"Britons", EmblemDesigns::britons},
    {"Franks", EmblemDesigns::franks},
    {"Goths", EmblemDesigns::goths},
    {"Teutons", EmblemDesigns::teutons},
    {"Japanese", EmblemDesigns::japanese},
    {"Chinese", EmblemDesigns::chinese},
    {"Byzantines", EmblemDesigns::byzantines},
    {"Persians", EmblemDesigns::persians},
    {"Saracens", EmblemDesigns::saracens},
    {"Turks", EmblemDesigns::turks},
    {"Vikings", EmblemDesigns::vikings},
    {"Mongols", EmblemDesigns::mongols},
    {"Celts", EmblemDesigns::celts},
    {"Spanish", EmblemDesigns::spanish},
    {"Aztecs", EmblemDesigns::aztecs},
    {"Mayans", EmblemDesigns::mayans},
    {"Huns", EmblemDesigns::huns},
    {"Koreans", EmblemDesigns::koreans},
}};

QImage transparentSquare()
{
    QImage image(Emblems::size, Emblems::size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The figure's own silhouette, darkened: laid down one pixel lower right, it lifts the
// figure off the plate.
QImage dropShadow(const QImage& figure)
{
    QImage shadow = figure;
    QPainter painter(&shadow);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shadow.rect(), QColor(0, 0, 0, 150));
    return shadow;
}

} // namespace

namespace Emblems {

QColor playerColour(int colour)
{
    return QColor::fromRgb(Mgx::PlayerColourRgb.at(static_cast<std::size_t>(colour)));
}

QString civilizationName(int civilization)
{
    return QString::fromLatin1(civilizations.at(civilization - 1).name);
}

int emblemIndex(int colour, int civilization)
{
    return civilizationCount * colour + civilization - 1;
}

QImage paintEmblem(int civilization, int colour)
{
    QImage figure = transparentSquare();
    {
        QPainter painter(&figure);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        civilizations.at(civilization - 1).design(painter, EmblemPalette(playerColour(colour)));
    }

    QImage emblem(size, size, QImage::Format_RGB32);
    QPainter painter(&emblem);
    Shapes::paintEmblemBackground(painter);
    painter.drawImage(QPointF(1, 1), dropShadow(figure));
    painter.drawImage(QPointF(0, 0), figure);
    return emblem;
}

} // namespace Emblems
