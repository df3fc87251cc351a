#include "MapColours.h"

#include "MarkCode.h"
#include "PlayerColour.h"

namespace MapColours {

namespace {

constexpr QRgb Grass = qRgb(51, 151, 39);
constexpr QRgb Water = qRgb(48, 93, 182);
constexpr QRgb Beach = qRgb(232, 180, 120);
constexpr QRgb Dirt = qRgb(228, 162, 82);
constexpr QRgb Shallows = qRgb(84, 146, 176);
constexpr QRgb LightEarth = qRgb(243, 170, 92);
constexpr QRgb Olive = qRgb(130, 136, 77);
constexpr QRgb Forest = qRgb(21, 118, 21);
constexpr QRgb DeepWater = qRgb(0, 71, 161);
constexpr QRgb MediumWater = qRgb(0, 74, 187);
constexpr QRgb Snow = qRgb(200, 216, 255);
constexpr QRgb SandyDirt = qRgb(228, 168, 82);
constexpr QRgb Ice = qRgb(152, 192, 240);

} // namespace

const std::array<QRgb, 41> TerrainColours = {
    Grass,       Water,     Beach,     Dirt,      Shallows,  Grass,     LightEarth,    Olive,  // 0-7
    Olive,       Grass,     Forest,    Dirt,      Grass,     Forest,    Beach,     Beach,  // 8-15
    Grass,       Forest,    Forest,    Forest,    Forest,    Forest,    DeepWater,         // 16-22
    MediumWater, Dirt,      Dirt,      Snow,      SandyDirt, Beach,     Olive,     Olive,  // 23-30
    Olive,       Snow,      Snow,      Snow,      Ice,       Snow,      Ice,       Snow,   // 31-38
    Snow,        Dirt,                                                                     // 39-40
};

const std::array<QRgb, 14> MarkColours = {
    qRgb(128, 128, 128), // 0: no mark, never drawn
    // 1 to 8: the owner's player colour.
    Mgx::PlayerColourRgb[0], Mgx::PlayerColourRgb[1], Mgx::PlayerColourRgb[2], Mgx::PlayerColourRgb[3],
    Mgx::PlayerColourRgb[4], Mgx::PlayerColourRgb[5], Mgx::PlayerColourRgb[6], Mgx::PlayerColourRgb[7],
    qRgb(165, 196, 108), // food
    qRgb(145, 145, 145), // stone
    qRgb(255, 199, 0),   // gold
    qRgb(255, 255, 255), // relic
    qRgb(113, 75, 51),   // cliff
};

QRgb TerrainColour(std::uint8_t terrainId)
{
    return terrainId < TerrainColours.size() ? TerrainColours[terrainId] : UnknownTerrainColour;
}

QRgb MarkColour(std::uint8_t code)
{
    return code < MarkColours.size() ? MarkColours[code] : UnknownMarkColour;
}

bool IsMarkDrawn(std::uint8_t code, bool showResources, bool showUnits)
{
    using namespace Mgx::MarkCode;
    if (code == None)
        return false;
    if (code <= LastPlayer)
        return showUnits;
    if (code <= Relic)
        return showResources;
    return true;
}

} // namespace MapColours
