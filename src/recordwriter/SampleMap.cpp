#include "SampleMap.h"

#include <cmath>

namespace Mgx {

namespace {

// Object type ids and the resource kinds their records carry.
constexpr std::int16_t TownCentre = 109;
constexpr std::int16_t House = 70;
constexpr std::int16_t Villager = 83;
constexpr std::int16_t Scout = 448;
constexpr std::int16_t Sheep = 594;
constexpr std::int16_t GoldMine = 66;
constexpr std::int16_t StoneMine = 102;
constexpr std::int16_t ForageBush = 59;
constexpr std::int16_t Deer = 65;
constexpr std::int16_t Fish = 53;
constexpr std::int16_t Hawk = 96;
constexpr std::int16_t OakTree = 411;
constexpr std::int16_t Relic = 285;
constexpr std::int16_t Cliff = 264;

constexpr std::int16_t Food = 0;
constexpr std::int16_t Wood = 1;
constexpr std::int16_t Stone = 2;
constexpr std::int16_t Gold = 3;
constexpr std::int16_t NoResource = -1;

constexpr double Pi = 3.14159265358979323846;

} // namespace

SampleMap::SampleMap(std::uint32_t size, std::uint32_t seed)
    : m_size(size)
    , m_state(seed * 2654435761u + 1)
    , m_terrain(std::size_t{size} * size * 2, 0)
{
    for (std::size_t i = 1; i < m_terrain.size(); i += 2)
        m_terrain[i] = 1; // elevation
}

double SampleMap::Random()
{
    m_state = m_state * 1664525u + 1013904223u;
    return (m_state >> 8) / 16777216.0;
}

void SampleMap::SetTile(int x, int y, std::uint8_t terrain)
{
    if (x < 0 || y < 0 || x >= static_cast<int>(m_size) || y >= static_cast<int>(m_size))
        return;
    m_terrain[(static_cast<std::size_t>(y) * m_size + static_cast<std::size_t>(x)) * 2] = terrain;
}

std::uint8_t SampleMap::Tile(int x, int y) const
{
    if (x < 0 || y < 0 || x >= static_cast<int>(m_size) || y >= static_cast<int>(m_size))
        return Grass;
    return m_terrain[(static_cast<std::size_t>(y) * m_size + static_cast<std::size_t>(x)) * 2];
}

void SampleMap::Fill(std::uint8_t terrain)
{
    for (std::size_t i = 0; i < m_terrain.size(); i += 2)
        m_terrain[i] = terrain;
}

void SampleMap::PaintPatch(double cx, double cy, double radius, std::uint8_t terrain)
{
    // A radius that wobbles with the angle gives a natural outline.
    const double phase1 = Random() * 2 * Pi;
    const double phase2 = Random() * 2 * Pi;
    const int reach = static_cast<int>(radius * 1.4) + 1;
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double angle = std::atan2(dy, dx);
            const double edge = radius * (1 + 0.18 * std::sin(3 * angle + phase1) + 0.1 * std::sin(5 * angle + phase2));
            if (std::hypot(dx, dy) <= edge)
                SetTile(x, y, terrain);
        }
}

void SampleMap::AddLake(double cx, double cy, double radius)
{
    PaintPatch(cx, cy, radius + 1.5, Beach);
    PaintPatch(cx, cy, radius, Shallows);
    PaintPatch(cx, cy, radius - 1.0, Water);
    if (radius > 6)
        PaintPatch(cx, cy, radius * 0.55, DeepWater);
    for (int i = 0; i < 4 + static_cast<int>(radius / 3); ++i) {
        const double angle = Random() * 2 * Pi;
        const double distance = Random() * (radius - 2);
        AddNature(70, Fish, cx + std::cos(angle) * distance, cy + std::sin(angle) * distance, Food);
    }
}

void SampleMap::AddForest(double cx, double cy, double radius)
{
    PaintPatch(cx, cy, radius, Forest);
    for (int i = 0; i < static_cast<int>(radius) + 2; ++i) {
        const double x = cx + (Random() - 0.5) * radius;
        const double y = cy + (Random() - 0.5) * radius;
        if (Tile(static_cast<int>(x), static_cast<int>(y)) == Forest)
            AddNature(10, OakTree, x, y, Wood);
    }
}

void SampleMap::AddBase(std::uint8_t owner, double cx, double cy)
{
    PaintPatch(cx, cy, 5, Dirt);
    AddOwned(owner, 80, TownCentre, cx, cy);
    AddOwned(owner, 80, House, cx - 4.5, cy + 3.5);
    AddOwned(owner, 80, House, cx + 3.5, cy - 4.5);
    AddOwned(owner, 70, Villager, cx + 2.5, cy + 1.5);
    AddOwned(owner, 70, Villager, cx - 2.5, cy + 2.5);
    AddOwned(owner, 70, Villager, cx + 1.5, cy - 2.5);
    AddOwned(owner, 70, Scout, cx + 6.5, cy + 5.5);
    for (int i = 0; i < 4; ++i)
        AddOwned(owner, 70, Sheep, cx - 6 + Random() * 3, cy - 6 + Random() * 3);

    // Resources around the base, in a direction that varies with the player.
    const double turn = owner * 1.7;
    AddGoldMine(cx + 9 * std::cos(turn), cy + 9 * std::sin(turn), 7);
    AddStoneMine(cx + 10 * std::cos(turn + 2.2), cy + 10 * std::sin(turn + 2.2), 5);
    AddBerries(cx + 8 * std::cos(turn + 4.0), cy + 8 * std::sin(turn + 4.0));
    AddHunt(cx + 13 * std::cos(turn + 1.1), cy + 13 * std::sin(turn + 1.1));
    AddForest(cx + 16 * std::cos(turn + 3.1), cy + 16 * std::sin(turn + 3.1), 6);
}

void SampleMap::AddGoldMine(double cx, double cy, int tiles)
{
    for (int i = 0; i < tiles; ++i)
        AddNature(30, GoldMine, cx + (i % 3), cy + (i / 3), Gold);
}

void SampleMap::AddStoneMine(double cx, double cy, int tiles)
{
    for (int i = 0; i < tiles; ++i)
        AddNature(30, StoneMine, cx + (i % 2), cy + (i / 2), Stone);
}

void SampleMap::AddBerries(double cx, double cy)
{
    for (int i = 0; i < 6; ++i)
        AddNature(30, ForageBush, cx + (i % 3), cy + (i / 3), Food);
}

void SampleMap::AddRelic(double x, double y)
{
    AddNature(70, Relic, x, y, NoResource);
}

void SampleMap::AddCliffs(double x0, double y0, double x1, double y1)
{
    const int steps = static_cast<int>(std::hypot(x1 - x0, y1 - y0) / 3) + 1;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        AddNature(10, Cliff, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, NoResource);
    }
}

void SampleMap::AddHunt(double cx, double cy)
{
    for (int i = 0; i < 3; ++i)
        AddNature(70, Deer, cx + Random() * 3, cy + Random() * 3, Food);
    // Hawks circle overhead: food by their resource kind, yet never marked.
    AddNature(90, Hawk, cx + 1.5, cy - 2.5, Food);
}

void SampleMap::AddNature(std::uint8_t recordKind, std::int16_t type, double x, double y, std::int16_t resourceKind)
{
    m_nature.push_back(Varied(ObjectRecordBlueprint::At(recordKind, 0, type, static_cast<float>(x),
                                                        static_cast<float>(y), resourceKind)));
}

void SampleMap::AddOwned(std::uint8_t owner, std::uint8_t recordKind, std::int16_t type, double x, double y)
{
    m_owned.push_back(
        Varied(ObjectRecordBlueprint::At(recordKind, owner, type, static_cast<float>(x), static_cast<float>(y), Food)));
}

ObjectRecordBlueprint SampleMap::Varied(ObjectRecordBlueprint object)
{
    // Every branch of the record appears somewhere in the samples, so a reader that walks one of
    // them wrongly loses its place.
    static constexpr std::int8_t us[] = {0, 1, 2, 5};
    static constexpr std::int16_t vs[] = {0, 256, 512, 3};
    static constexpr std::uint8_t d1s[] = {70, 80, 12};
    static constexpr std::int8_t d3s[] = {3, 4, 0};
    auto pick = [this](int count) { return static_cast<int>(Random() * count); };
    object.motionStretch = us[pick(4)];
    object.pathStretch = vs[pick(4)];
    object.waypoints = pick(3);
    object.combatFlag = static_cast<std::int16_t>(pick(2));
    object.combatExtraFlag = static_cast<std::int16_t>(pick(2));
    object.combatTailFlag = static_cast<std::uint8_t>(pick(2));
    object.actionFlag = static_cast<std::uint8_t>(pick(2));
    object.actionKind = d1s[pick(3)];
    object.actionLength = static_cast<std::int8_t>(pick(41) - 20);
    object.actionTailKind = d3s[pick(3)];
    object.firstActionValues = static_cast<std::int16_t>(pick(4));
    object.secondActionValues = static_cast<std::int16_t>(pick(3));
    object.tailFlag = pick(2);
    object.tailExtraFlag = pick(2);
    return object;
}

std::vector<ObjectRecordBlueprint> SampleMap::PlayerObjects(std::uint8_t owner) const
{
    std::vector<ObjectRecordBlueprint> objects;
    for (const ObjectRecordBlueprint& object : m_owned)
        if (object.owner == owner)
            objects.push_back(object);
    return objects;
}

} // namespace Mgx
