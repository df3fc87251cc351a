#pragma once

#include <cstdint>

namespace Mgx {

// Skip amounts computed from counts in the file are evaluated in wrapping 32-bit arithmetic and then
// widened with their sign: the amounts the format stores are 32-bit, and a negative one is a real
// step back. A damaged count then gives a wild skip that the stream refuses, never undefined
// behaviour here.
inline std::int64_t Signed32(std::uint64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

// The same, for amounts the format treats as unsigned.
inline std::int64_t Unsigned32(std::uint64_t value) { return static_cast<std::uint32_t>(value); }

inline std::uint64_t Wide(std::int64_t value) { return static_cast<std::uint64_t>(value); }

} // namespace Mgx
