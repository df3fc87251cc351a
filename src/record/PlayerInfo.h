#pragma once

#include "GbkText.h"
#include "PlayerKind.h"

#include <cstdint>

namespace Mgx {

// One player data block of the header. An entry whose block was never walked has no name.
struct PlayerInfo {
    GbkText name;
    std::uint8_t civilization = 0;
    std::uint8_t colour = 0;
    std::uint8_t kind = 0; // see PlayerKind

    bool Filled() const { return name.has_value(); }
    bool operator==(const PlayerInfo&) const = default;
};

} // namespace Mgx
