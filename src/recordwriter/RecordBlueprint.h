#pragma once

#include "BodyBlueprint.h"
#include "HeaderBlueprint.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace Mgx {

// A whole record file: header block, body, and the overrides that build damaged files.
struct RecordBlueprint {
    HeaderBlueprint header;
    BodyBlueprint body;

    std::optional<std::int32_t> headerEnd;      // written instead of the true offset of the body (0 = unfinished)
    std::optional<std::int32_t> nextChapterPos; // written instead of the first chapter boundary's offset
    std::optional<std::vector<std::uint8_t>> headerBlock; // inflated header bytes used instead of the header
    std::optional<std::vector<std::uint8_t>> rawBody;     // body bytes used instead of the body
};

} // namespace Mgx
