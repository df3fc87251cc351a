#pragma once

#include "HeaderBlueprint.h"

#include "ChapterInfo.h"

#include <cstdint>

namespace korvale::test {

// A header block written from a blueprint and walked by the reader on its own, without a file.
// A walk that went exactly the writer's way stops where the block's tail begins.
struct WalkedHeader {
    Mgx::ChapterInfo chapter;
    std::int64_t endPosition = 0;
    std::int64_t tailStart = 0;
};

// Throws what the walk throws.
WalkedHeader WalkWrittenHeader(const Mgx::HeaderBlueprint& header);

} // namespace korvale::test
