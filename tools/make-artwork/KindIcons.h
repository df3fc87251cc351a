#pragma once

#include <QImage>

// The record list's entry pictures, square at `size` (16 or 32): icon 142 a folder, 143 a
// record file, 145 a Zip archive, 146 a RAR archive. Drawn on a 16-unit grid and scaled, with the
// edges on half units so the 16 x 16 version stays crisp.
namespace KindIcons {

QImage Folder(int size);
QImage Record(int size);
QImage ZipArchive(int size);
QImage RarArchive(int size);

} // namespace KindIcons
