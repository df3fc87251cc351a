#pragma once

#include "HeaderBlock.h"

#include <cstddef>
#include <cstdint>

namespace Mgx {

// Inflates the raw DEFLATE header block. Throws InflateError.
HeaderBlock InflateHeaderBlock(const std::uint8_t* bytes, std::size_t length);

// No header block the game writes comes near this; a larger one is a decompression bomb.
constexpr std::size_t MaxInflatedHeaderSize = 64u << 20;

} // namespace Mgx
