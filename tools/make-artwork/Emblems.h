#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include "PlayerColour.h"

// The civilization emblems: eighteen designs, each painted in the eight player colours.
namespace Emblems {

inline constexpr int civilizationCount = 18;
inline constexpr int colourCount = Mgx::PlayerColour::Count;
inline constexpr int size = 36;

// Player colour 0 to 7 (see Mgx::PlayerColour).
QColor PlayerColour(int colour);
// English name of civilization 1 to 18, for labelling the contact sheet.
QString CivilizationName(int civilization);
// Position of an emblem in the table the player page indexes: 18 x colour + civilization - 1.
int EmblemIndex(int colour, int civilization);
QImage PaintEmblem(int civilization, int colour);

} // namespace Emblems
