#include "HeaderBlueprint.h"

#include <algorithm>
#include <cstring>

namespace Mgx {

namespace {

PlayerBlueprint Player(std::string name, std::uint8_t civilization, std::uint8_t colour, std::uint8_t kind)
{
    PlayerBlueprint player;
    player.name = std::move(name);
    player.civilization = civilization;
    player.colour = colour;
    player.kind = kind;
    return player;
}

} // namespace

HeaderBlueprint::HeaderBlueprint()
{
    players = {Player("GAIA", 0, 6, 2), Player("Alpha", 1, 0, 1), Player("Bravo", 2, 1, 1)};
    slots[1] = SlotBlueprint{1, 2, "Alpha", 1};
    slots[2] = SlotBlueprint{2, 2, "Bravo", 1};
}

std::uint8_t HeaderBlueprint::StoredPlayerCount() const
{
    return playerCount ? *playerCount : static_cast<std::uint8_t>(players.size());
}

std::array<std::uint8_t, 12> HeaderBlueprint::VersionPrefix(const char* text, float saveVersion)
{
    std::array<std::uint8_t, 12> prefix{};
    std::memcpy(prefix.data(), text, std::min<std::size_t>(std::strlen(text), 8));
    std::memcpy(prefix.data() + 8, &saveVersion, sizeof saveVersion);
    return prefix;
}

} // namespace Mgx
