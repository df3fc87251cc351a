#pragma once

#include "PathEntries.h"

#include <QIcon>

#include <vector>

// The address bar's view of this machine: the desktop-like root, its folders and the mounted
// volumes, and the icons they are shown with.
namespace RootFolders {

// The user's desktop folder, or home when there is none.
QString DesktopFolder();
// Read once from the file system.
std::vector<PathEntries::Entry> Collect();
// From the icon theme, else our own pictures.
QIcon IconFor(PathEntries::Kind kind, bool open = false);

} // namespace RootFolders
