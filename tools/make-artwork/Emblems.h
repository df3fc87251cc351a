#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The civilisation emblems: eighteen designs, each painted in the eight player colours.
namespace Emblems {

inline constexpr int civilisationCount = 18;
inline constexpr int colourCount = 8;
inline constexpr int size = 36;

// Player colours 0 to 7: blue, red, green, yellow, cyan, magenta, white, orange.
QColor playerColour(int colour);
// English name of civilisation 1 to 18, for labelling the contact sheet.
QString civilisationName(int civilisation);
// Position of an emblem in the table the player page indexes: 18 x colour + civilisation - 1.
int emblemIndex(int colour, int civilisation);
QImage paintEmblem(int civilisation, int colour);

} // namespace Emblems
