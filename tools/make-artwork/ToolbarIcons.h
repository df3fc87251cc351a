#pragma once

#include <QImage>

// The toolbar strips, the address bar's place pictures and the panel switch arrows. Every
// picture is drawn in a 32-unit square and scaled to its size, so both strips look alike.
namespace ToolbarIcons {

// Nine 32 x 32 pictures side by side: open folder, SaveGame folder, move, copy, delete, rename,
// pack, unpack, launch. `disabled` gives the greyed set.
QImage MainStrip(bool disabled);
// Five 24 x 24 pictures: the path box's folder, go, up, refresh, view.
QImage AddressStrip(bool disabled);

// 16 x 16 pictures for the address bar when the icon theme has none.
QImage PlaceFolder(bool open);
QImage PlaceDesktop();
QImage PlaceComputer();
QImage PlaceDrive();

// 8 x 8 arrows of the panel switch: pointing left (fold) and right (unfold).
QImage SwitchArrow(bool fold);

} // namespace ToolbarIcons
