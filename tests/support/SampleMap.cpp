#include "SampleMap.h"

#include <cmath>

namespace korvale::test {

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

double SampleMap::random()
{
    m_state = m_state * 1664525u + 1013904223u;
    return (m_state >> 8) / 16777216.0;
}

void SampleMap::setTile(int x, int y, std::uint8_t terrain)
{
    if (x < 0 || y < 0 || x >= static_cast<int>(m_size) || y >= static_cast<int>(m_size))
        return;
    m_terrain[(static_cast<std::size_t>(y) * m_size + static_cast<std::size_t>(x)) * 2] = terrain;
}

std::uint8_t SampleMap::tile(int x, int y) const
{
    if (x < 0 || y < 0 || x >= static_cast<int>(m_size) || y >= static_cast<int>(m_size))
        return Grass;
    return m_terrain[(static_cast<std::size_t>(y) * m_size + static_cast<std::size_t>(x)) * 2];
}

void SampleMap::fill(std::uint8_t terrain)
{
    for (std::size_t i = 0; i < m_terrain.size(); i += 2)
        m_terrain[i] = terrain;
}

void SampleMap::patch(double cx, double cy, double radius, std::uint8_t terrain)
{
    // A radius that wobbles with the angle gives a natural outline.
    const double phase1 = random() * 2 * Pi;
    const double phase2 = random() * 2 * Pi;
    const int reach = static_cast<int>(radius * 1.4) + 1;
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double angle = std::atan2(dy, dx);
            const double edge = radius * (1 + 0.18 * std::sin(3 * angle + phase1) + 0.1 * std::sin(5 * angle + phase2));
            if (std::hypot(dx, dy) <= edge)
                setTile(x, y, terrain);
        }
}

void SampleMap::lake(double cx, double cy, double radius)
{
    patch(cx, cy, radius + 1.5, Beach);
    patch(cx, cy, radius, Shallows);
    patch(cx, cy, radius - 1.0, Water);
    if (radius > 6)
        patch(cx, cy, radius * 0.55, DeepWater);
    for (int i = 0; i < 4 + static_cast<int>(radius / 3); ++i) {
        const double angle = random() * 2 * Pi;
        const double distance = random() * (radius - 2);
        addNature(70, Fish, cx + std::cos(angle) * distance, cy + std::sin(angle) * distance, Food);
    }
}

void SampleMap::forest(double cx, double cy, double radius)
{
    patch(cx, cy, radius, Forest);
    for (int i = 0; i < static_cast<int>(radius) + 2; ++i) {
        const double x = cx + (random() - 0.5) * radius;
        const double y = cy + (random() - 0.5) * radius;
        if (tile(static_cast<int>(x), static_cast<int>(y)) == Forest)
            addNature(10, OakTree, x, y, Wood);
    }
}

void SampleMap::base(std::uint8_t owner, double cx, double cy)
{
    patch(cx, cy, 5, Dirt);
    addOwned(owner, 80, TownCentre, cx, cy);
    addOwned(owner, 80, House, cx - 4.5, cy + 3.5);
    addOwned(owner, 80, House, cx + 3.5, cy - 4.5);
    addOwned(owner, 70, Villager, cx + 2.5, cy + 1.5);
    addOwned(owner, 70, Villager, cx - 2.5, cy + 2.5);
    addOwned(owner, 70, Villager, cx + 1.5, cy - 2.5);
    addOwned(owner, 70, Scout, cx + 6.5, cy + 5.5);
    for (int i = 0; i < 4; ++i)
        addOwned(owner, 70, Sheep, cx - 6 + random() * 3, cy - 6 + random() * 3);

    // Resources around the base, in a direction that varies with the player.
    const double turn = owner * 1.7;
    goldMine(cx + 9 * std::cos(turn), cy + 9 * std::sin(turn), 7);
    stoneMine(cx + 10 * std::cos(turn + 2.2), cy + 10 * std::sin(turn + 2.2), 5);
    berries(cx + 8 * std::cos(turn + 4.0), cy + 8 * std::sin(turn + 4.0));
    hunt(cx + 13 * std::cos(turn + 1.1), cy + 13 * std::sin(turn + 1.1));
    forest(cx + 16 * std::cos(turn + 3.1), cy + 16 * std::sin(turn + 3.1), 6);
}

void SampleMap::goldMine(double cx, double cy, int tiles)
{
    for (int i = 0; i < tiles; ++i)
        addNature(30, GoldMine, cx + (i % 3), cy + (i / 3), Gold);
}

void SampleMap::stoneMine(double cx, double cy, int tiles)
{
    for (int i = 0; i < tiles; ++i)
        addNature(30, StoneMine, cx + (i % 2), cy + (i / 2), Stone);
}

void SampleMap::berries(double cx, double cy)
{
    for (int i = 0; i < 6; ++i)
        addNature(30, ForageBush, cx + (i % 3), cy + (i / 3), Food);
}

void SampleMap::relic(double x, double y)
{
    addNature(70, Relic, x, y, NoResource);
}

void SampleMap::cliffs(double x0, double y0, double x1, double y1)
{
    const int steps = static_cast<int>(std::hypot(x1 - x0, y1 - y0) / 3) + 1;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        addNature(10, Cliff, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, NoResource);
    }
}

void SampleMap::hunt(double cx, double cy)
{
    for (int i = 0; i < 3; ++i)
        addNature(70, Deer, cx + random() * 3, cy + random() * 3, Food);
    // Hawks circle overhead: food by their resource kind, yet never marked.
    addNature(90, Hawk, cx + 1.5, cy - 2.5, Food);
}

void SampleMap::addNature(std::uint8_t recordKind, std::int16_t type, double x, double y, std::int16_t resourceKind)
{
    m_nature.push_back(varied(ObjectRecordBlueprint::At(recordKind, 0, type, static_cast<float>(x),
                                                        static_cast<float>(y), resourceKind)));
}

void SampleMap::addOwned(std::uint8_t owner, std::uint8_t recordKind, std::int16_t type, double x, double y)
{
    m_owned.push_back(
        varied(ObjectRecordBlueprint::At(recordKind, owner, type, static_cast<float>(x), static_cast<float>(y), Food)));
}

ObjectRecordBlueprint SampleMap::varied(ObjectRecordBlueprint object)
{
    // Every branch of the record appears somewhere in the samples, so a reader that walks one of
    // them wrongly loses its place.
    static constexpr std::int8_t us[] = {0, 1, 2, 5};
    static constexpr std::int16_t vs[] = {0, 256, 512, 3};
    static constexpr std::uint8_t d1s[] = {70, 80, 12};
    static constexpr std::int8_t d3s[] = {3, 4, 0};
    auto pick = [this](int count) { return static_cast<int>(random() * count); };
    object.u = us[pick(4)];
    object.v = vs[pick(4)];
    object.waypoints = pick(3);
    object.w = static_cast<std::int16_t>(pick(2));
    object.w2 = static_cast<std::int16_t>(pick(2));
    object.h1 = static_cast<std::uint8_t>(pick(2));
    object.h2 = static_cast<std::uint8_t>(pick(2));
    object.d1 = d1s[pick(3)];
    object.d2 = static_cast<std::int8_t>(pick(41) - 20);
    object.d3 = d3s[pick(3)];
    object.e1 = static_cast<std::int16_t>(pick(4));
    object.e2 = static_cast<std::int16_t>(pick(3));
    object.k = pick(2);
    object.k2 = pick(2);
    return object;
}

std::vector<ObjectRecordBlueprint> SampleMap::playerObjects(std::uint8_t owner) const
{
    std::vector<ObjectRecordBlueprint> objects;
    for (const ObjectRecordBlueprint& object : m_owned)
        if (object.owner == owner)
            objects.push_back(object);
    return objects;
}

} // namespace korvale::test
