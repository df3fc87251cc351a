#pragma once

#include "NameTable.h"

#include <QRgb>

#include <array>

// Game type by gameType, 0 to 8.
extern const NameTable GameTypeNames;
// Standard maps by mapId, 9 to 32 (map type 1).
extern const NameTable StandardMapNames;
// Real-world maps by mapId, 34 to 43 (map type 2).
extern const NameTable RealWorldMapNames;
// Map type: 0 custom, 1 standard, 2 real world.
extern const NameTable MapTypeNames;
// Civilisation by PlayerInfo::civilization, 0 to 18; 1 to 18 are the playable ones.
extern const NameTable CivilizationNames;

// Player colours by PlayerInfo::colour: blue, red, green, yellow, cyan, magenta, white, orange.
inline constexpr std::array<QRgb, 8> PlayerColours = {
    0xff0000ff, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff00ffff, 0xffff00ff, 0xffffffff, 0xffff8000,
};

// The fallback word for a number no table names.
QString UnknownText();
