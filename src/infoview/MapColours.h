#pragma once

#include <QRgb>

#include <array>
#include <cstdint>

// The colours of the map picture: one per terrain id and one per object mark code.
namespace MapColours {

// Indexed by the first byte of a tile, terrain ids 0 to 40.
extern const std::array<QRgb, 41> TerrainColours;

// Indexed by the mark code of objectMarks, 0 to 13 (see Mgx::MarkCode).
extern const std::array<QRgb, 14> MarkColours;

// Terrain ids above 40 come from scenarios with custom terrain sets; they are drawn in a neutral
// grey so that the diamond keeps its shape without pretending to be land or water. The grey is not
// black, which the picture treats as transparent.
constexpr QRgb UnknownTerrainColour = qRgb(128, 128, 128);

// The reader never writes codes above 13; should one appear it is drawn in the same grey as the
// unknown terrain (it is drawn whatever the check boxes say, like code 13).
constexpr QRgb UnknownMarkColour = qRgb(128, 128, 128);

QRgb TerrainColour(std::uint8_t terrainId);
QRgb MarkColour(std::uint8_t code);

// Whether a tile with this mark is painted: 0 never, player objects only with showUnits, resources
// only with showResources, and everything from 13 up always.
bool IsMarkDrawn(std::uint8_t code, bool showResources, bool showUnits);

} // namespace MapColours
