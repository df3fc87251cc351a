#pragma once

#include <cstdint>

namespace Mgx {

// Who a player data block belongs to (PlayerInfo::kind). The kind changes the block's layout and
// selects the player's picture.
namespace PlayerKind {
constexpr std::uint8_t Human = 1;
constexpr std::uint8_t Nature = 2;
constexpr std::uint8_t Computer = 3;
} // namespace PlayerKind

} // namespace Mgx
