#pragma once

#include "NameTable.h"
#include "PlayerColour.h"

#include <cstdint>

#include <array>

// Game type by gameType, 0 to 8.
extern const NameTable GameTypeNames;
// Standard maps by mapId, 9 to 32 (map type 1).
extern const NameTable StandardMapNames;
// Real-world maps by mapId, 34 to 43 (map type 2).
extern const NameTable RealWorldMapNames;
// Map type: 0 custom, 1 standard, 2 real world.
extern const NameTable MapTypeNames;
// Civilization by PlayerInfo::civilization, 0 to 18; 1 to 18 are the playable ones.
extern const NameTable CivilizationNames;

// Player colours by PlayerInfo::colour.
inline constexpr const std::array<std::uint32_t, Mgx::PlayerColour::Count>& PlayerColours = Mgx::PlayerColourRgb;

// The fallback word for a number no table names.
QString UnknownText();
