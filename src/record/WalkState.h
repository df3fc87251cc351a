#pragma once

#include "RecordFormat.h"
#include "RecordLayout.h"

#include <cstdint>

namespace Mgx {

// What the walk carries from block to block: the format, read once from the header's start, and
// the object type count of the first player block, which HD computer blocks are searched by.
struct WalkState {
    RecordFormat format;
    std::int32_t firstTypeCount = PlayerBlockLayout::ComputerObjectTypeCount;
    bool firstTypeCountSeen = false;
};

} // namespace Mgx
