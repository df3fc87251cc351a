#pragma once

#include "GbkText.h"

#include <cstdint>

namespace Mgx {

// One lobby slot. The name here, not the player block's, is what the view and the body events print.
struct PlayerSlot {
    std::int32_t playerNumber = 0; // 0 = empty slot, else index into the players
    std::int32_t slotType = 0;
    GbkText name;
    std::uint8_t team = 0; // 0 or 1 = no team, n >= 2 = team n - 1; slots 1 to 8 only

    bool operator==(const PlayerSlot&) const = default;
};

} // namespace Mgx
