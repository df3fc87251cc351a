#pragma once

#include <QIcon>
#include <QPixmap>

// The panel's pictures from the artwork resources. A picture that is missing comes back null,
// and the panel then simply shows nothing in its place.
namespace PanelArtwork {

// Makes the artwork resources available; cheap after the first call.
void Load();

// One of the 144 emblems, 18 civilizations per player colour, or the neutral emblem (SlotView's NeutralEmblem).
QPixmap Emblem(int index);
// The 16 x 16 picture of a kind of player (1 human, 2 nature, 3 computer).
QPixmap KindPicture(int kind);
// The recorder's eye.
QPixmap Eye();
// The collapse icon: pointing up while expanded, down while collapsed.
QIcon Triangle(bool up);

} // namespace PanelArtwork
