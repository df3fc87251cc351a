#pragma once

#include "GbkText.h"
#include "PlayerKind.h"

#include <array>
#include <cstdint>

namespace Mgx {

// One player data block of the header. An entry whose block was never walked has no name.
struct PlayerInfo {
    GbkText name;
    std::uint8_t civilization = 0;
    std::uint8_t colour = 0;
    std::uint8_t kind = 0; // see PlayerKind
    // The player's diplomacy stance towards each player by index, as the block opens with it
    // (0 ally, 3 enemy); entries at and beyond the chapter's playerCount stay 0.
    std::array<std::uint8_t, 9> stances{};

    bool Filled() const { return name.has_value(); }
    bool operator==(const PlayerInfo&) const = default;
};

} // namespace Mgx
