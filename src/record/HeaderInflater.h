#pragma once

#include "HeaderBlock.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace Mgx {

// Inflates the raw DEFLATE header block. Throws InflateError.
HeaderBlock InflateHeaderBlock(const std::uint8_t* bytes, std::size_t length);

// The same through zlib's streaming inflate alone, in steps of 16 times the compressed size. Its
// outcome is the one every inflate here gives, errors included; the fast path defers to it for
// every block it cannot inflate whole.
HeaderBlock InflateHeaderBlockStreaming(const std::uint8_t* bytes, std::size_t length);

// No header block the game writes comes near this; a larger one is a decompression bomb.
constexpr std::size_t MaxInflatedHeaderSize = 64u << 20;

// Inflates header blocks one after another into one output buffer that only grows. Each block
// inflates whole with libdeflate into the room the largest block so far needed; a block that fails
// there is inflated again with zlib, so every error is the streaming one, and every block zlib reads
// gives the same bytes. Neither depends on the blocks before it.
class HeaderInflater {
public:
    HeaderInflater();
    ~HeaderInflater();
    HeaderInflater(const HeaderInflater&) = delete;
    HeaderInflater& operator=(const HeaderInflater&) = delete;

    // The inflated bytes stay valid until the next inflate or releaseOutput. Throws InflateError.
    std::span<const std::uint8_t> Inflate(const std::uint8_t* bytes, std::size_t length);

    // Inflates the block again with zlib alone and throws its error, if it has one. libdeflate reads
    // a few malformed streams that zlib refuses (a code it completes, more symbols than the format
    // has), so a caller whose walk over a block failed asks this first: the block then fails with
    // the error it always had. Overwrites the last output.
    void ThrowStreamingError(const std::uint8_t* bytes, std::size_t length);

    std::size_t OutputCapacity() const { return m_output.Capacity(); }
    void ReleaseOutput() { m_output = HeaderBlockBuilder(); }

private:
    struct Decompressor;
    struct Stream;
    std::unique_ptr<Decompressor> m_decompressor; // made on the first block
    std::unique_ptr<Stream> m_stream;             // opened on the first block libdeflate refuses
    HeaderBlockBuilder m_output;

    std::size_t InflateStreaming(const std::uint8_t* bytes, std::size_t length);
};

} // namespace Mgx
