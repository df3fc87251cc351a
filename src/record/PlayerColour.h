#pragma once

#include <array>
#include <cstdint>

namespace Mgx {

// The eight player colours by PlayerInfo::colour, in the order the game numbers them.
namespace PlayerColour {
enum : std::uint8_t { Blue, Red, Green, Yellow, Cyan, Magenta, White, Orange, Count };
} // namespace PlayerColour

// Each colour as 0xAARRGGBB (Qt's QRgb), for the map marks, the team labels and the emblems.
inline constexpr std::array<std::uint32_t, PlayerColour::Count> PlayerColourRgb = {
    0xff0000ff, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff00ffff, 0xffff00ff, 0xffffffff, 0xffff8000,
};

} // namespace Mgx
