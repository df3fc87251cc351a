#pragma once

#include "HeaderBlock.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace Mgx {

// Inflates the raw DEFLATE header block. Throws InflateError.
HeaderBlock InflateHeaderBlock(const std::uint8_t* bytes, std::size_t length);

// No header block the game writes comes near this; a larger one is a decompression bomb.
constexpr std::size_t MaxInflatedHeaderSize = 64u << 20;

// Inflates header blocks one after another, keeping one zlib stream (reset between blocks) and one
// output buffer that only grows. Each block gets the same room in the same steps as
// InflateHeaderBlock, so the outcome, errors included, never depends on the blocks before it.
class HeaderInflater {
public:
    HeaderInflater();
    ~HeaderInflater();
    HeaderInflater(const HeaderInflater&) = delete;
    HeaderInflater& operator=(const HeaderInflater&) = delete;

    // The inflated bytes stay valid until the next inflate or releaseOutput. Throws InflateError.
    std::span<const std::uint8_t> inflate(const std::uint8_t* bytes, std::size_t length);

    std::size_t outputCapacity() const { return m_output.capacity(); }
    void releaseOutput() { m_output = HeaderBlockBuilder(); }

private:
    struct Stream;
    std::unique_ptr<Stream> m_stream; // opened on the first block
    HeaderBlockBuilder m_output;
};

} // namespace Mgx
