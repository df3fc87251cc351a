#pragma once

#include "ObjectRecordBlueprint.h"
#include "PlayerBlueprint.h"

#include <cstdint>
#include <vector>

namespace Mgx {

// Paints a plausible map for the bundled sample records: grass with dirt, lakes with shores,
// forests, and the nature objects and player bases whose marks the map picture shows. The same
// seed always gives the same map.
class SampleMap {
public:
    // Terrain ids as the game numbers them.
    static constexpr std::uint8_t Grass = 0;
    static constexpr std::uint8_t Water = 1;
    static constexpr std::uint8_t Beach = 2;
    static constexpr std::uint8_t Shallows = 4;
    static constexpr std::uint8_t Dirt = 6;
    static constexpr std::uint8_t Forest = 10;
    static constexpr std::uint8_t Desert = 14;
    static constexpr std::uint8_t DeepWater = 22;

    SampleMap(std::uint32_t size, std::uint32_t seed);

    std::uint32_t Size() const { return m_size; }
    // Two bytes per tile, as the header stores them.
    const std::vector<std::uint8_t>& Terrain() const { return m_terrain; }
    // The nature player's objects (owner 0) and those of player p.
    const std::vector<ObjectRecordBlueprint>& Nature() const { return m_nature; }
    std::vector<ObjectRecordBlueprint> PlayerObjects(std::uint8_t owner) const;

    void Fill(std::uint8_t terrain);
    // An irregular round patch of one terrain.
    void PaintPatch(double cx, double cy, double radius, std::uint8_t terrain);
    // Deep water in the middle, then water, shallows and a sandy shore; fish in it.
    void AddLake(double cx, double cy, double radius);
    // A forest patch with a few trees as objects (wood leaves no mark).
    void AddForest(double cx, double cy, double radius);
    // A player's starting position: town centre, villagers, scout, and its resources around it.
    void AddBase(std::uint8_t owner, double cx, double cy);
    void AddGoldMine(double cx, double cy, int tiles);
    void AddStoneMine(double cx, double cy, int tiles);
    void AddBerries(double cx, double cy);
    void AddRelic(double x, double y);
    void AddCliffs(double x0, double y0, double x1, double y1);
    void AddHunt(double cx, double cy);

private:
    double Random(); // in [0, 1)
    void SetTile(int x, int y, std::uint8_t terrain);
    std::uint8_t Tile(int x, int y) const;
    void AddNature(std::uint8_t recordKind, std::int16_t type, double x, double y, std::int16_t resourceKind);
    void AddOwned(std::uint8_t owner, std::uint8_t recordKind, std::int16_t type, double x, double y);
    ObjectRecordBlueprint Varied(ObjectRecordBlueprint object);

    std::uint32_t m_size;
    std::uint32_t m_state;
    std::vector<std::uint8_t> m_terrain;
    std::vector<ObjectRecordBlueprint> m_nature;
    std::vector<ObjectRecordBlueprint> m_owned;
};

} // namespace Mgx
