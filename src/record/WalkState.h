#pragma once

#include "RecordFormat.h"
#include "RecordLayout.h"

#include <cstdint>

namespace Mgx {

// What the walk carries from block to block: the format, read once from the header's start, and
// the object type count of the first player block, which HD and later UserPatch computer blocks
// are searched by.
struct WalkState {
    RecordFormat format;
    std::int32_t firstTypeCount = PlayerBlockLayout::ComputerObjectTypeCount;
    bool firstTypeCountSeen = false;
    // UserPatch 1.4 and later: how many per-player values each block holds, and whether the
    // record continues a saved game, whose header the fixed steps cannot pass everywhere.
    std::int32_t perPlayerValueCount = 0;
    bool restoredGame = false;
    // HD 4.6 and later: the map the settings block names, where the lobby's map id reads 0.
    std::int32_t selectedMapId = 0;
    std::int32_t resolvedMapId = 0;
};

} // namespace Mgx
