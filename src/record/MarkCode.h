#pragma once

#include <cstdint>

namespace Mgx {

// What one tile of objectMarks holds. Codes 1 to 8 are player objects: the owner's colour index + 1.
namespace MarkCode {
constexpr std::uint8_t None = 0;
constexpr std::uint8_t FirstPlayer = 1;
constexpr std::uint8_t LastPlayer = 8;
constexpr std::uint8_t Food = 9;   // nature object of resource kind 0, other than type 96
constexpr std::uint8_t Stone = 10; // resource kind 2
constexpr std::uint8_t Gold = 11;  // resource kind 3
constexpr std::uint8_t Relic = 12; // object type 285
constexpr std::uint8_t Cliff = 13; // object type 264, always drawn
} // namespace MarkCode

} // namespace Mgx
