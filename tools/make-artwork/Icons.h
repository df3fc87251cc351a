#pragma once

#include <QImage>

// The small pictures around the emblems: kind of player, the recorder's eye, the map's
// enlarge and restore corner, the collapse triangles and the application icon.
namespace Icons {

// 16 x 16: kind 1 a person on a dark square (human), 2 all white (nature), 3 a computer screen.
QImage KindPicture(int kind);
// 16 x 16: marks the player who recorded the game.
QImage Eye();
// 11 x 11: one window square (enlarge) and two overlapping ones (restore).
QImage Enlarge();
QImage Restore();
// 16 x 16 collapse icons.
QImage TriangleUp();
QImage TriangleDown();
// Square application icon of the given edge length: a diamond map under crossed swords.
QImage ApplicationIcon(int size);

} // namespace Icons
