#include "HeaderInflater.h"

#include "RecordError.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <new>
#include <optional>

namespace Mgx {

namespace {

struct InflateStream {
    z_stream z{};
    bool open = false;
    ~InflateStream()
    {
        if (open)
            inflateEnd(&z);
    }
};

const char* ZlibMessage(const z_stream& z, int status)
{
    if (z.msg)
        return z.msg;
    return status == Z_BUF_ERROR ? "the compressed block ends before the stream does" : "inflate failed";
}

void Open(InflateStream& stream)
{
    const int status = inflateInit2(&stream.z, -15); // raw DEFLATE, 32 KB window
    if (status != Z_OK)
        throw InflateError(status, "zlib cannot start");
    stream.open = true;
}

std::size_t Step(std::size_t length)
{
    return 16 * (length / 8 * 8);
}

// Offers zlib room in steps of 16 times the compressed size, up to the bomb limit. The room offered
// is counted apart from the buffer's capacity, so a buffer left large by an earlier block changes nothing.
std::size_t InflateInto(z_stream& z, HeaderBlockBuilder& output, const std::uint8_t* bytes, std::size_t length)
{
    const std::size_t step = Step(length);
    z.next_in = const_cast<Bytef*>(bytes);
    z.avail_in = static_cast<uInt>(length);
    std::size_t offered = 0;
    std::size_t total = 0;
    int status = Z_OK;
    do {
        if (offered + step > MaxInflatedHeaderSize)
            throw InflateError(Z_MEM_ERROR, "inflates to more than " + std::to_string(MaxInflatedHeaderSize >> 20) + " MiB");
        offered += step;
        if (output.Capacity() < offered || !output.Data())
            output.Grow(offered);
        z.next_out = output.Data() + total;
        z.avail_out = static_cast<uInt>(offered - total);
        status = inflate(&z, Z_SYNC_FLUSH);
        total = z.total_out;
    } while (status == Z_OK);
    if (status != Z_STREAM_END)
        throw InflateError(status, ZlibMessage(z, status));
    return total;
}

struct FreeDecompressor {
    void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};
using DecompressorPtr = std::unique_ptr<libdeflate_decompressor, FreeDecompressor>;

DecompressorPtr NewDecompressor()
{
    DecompressorPtr decompressor(libdeflate_alloc_decompressor());
    if (!decompressor)
        throw std::bad_alloc();
    return decompressor;
}

// Inflates the block whole, into the buffer's room or, when that is too small, into twice as much
// until it fits. The room never passes the most the streaming inflate would offer, so a block that
// fits here fits there too and gives the same bytes. Nothing when the block does not inflate this
// way: only the streaming inflate tells why (or, for a block too short for any step, whether).
std::optional<std::size_t> InflateWhole(libdeflate_decompressor* decompressor, HeaderBlockBuilder& output,
                                        const std::uint8_t* bytes, std::size_t length)
{
    const std::size_t step = Step(length);
    if (step == 0 || step > MaxInflatedHeaderSize)
        return std::nullopt;
    const std::size_t limit = MaxInflatedHeaderSize / step * step;
    std::size_t room = std::min(limit, std::max(step, output.Capacity()));
    for (;;) {
        if (output.Capacity() < room || !output.Data())
            output.Grow(room);
        std::size_t size = 0;
        const libdeflate_result result = libdeflate_deflate_decompress(decompressor, bytes, length, output.Data(), room, &size);
        if (result == LIBDEFLATE_SUCCESS)
            return size;
        if (result != LIBDEFLATE_INSUFFICIENT_SPACE || room == limit)
            return std::nullopt;
        room = std::min(limit, room * 2);
    }
}

} // namespace

HeaderBlock InflateHeaderBlockStreaming(const std::uint8_t* bytes, std::size_t length)
{
    InflateStream stream;
    Open(stream);
    HeaderBlockBuilder output;
    const std::size_t total = InflateInto(stream.z, output, bytes, length);
    stream.open = false;
    const int status = inflateEnd(&stream.z);
    if (status != Z_OK)
        throw InflateError(status, "zlib cannot close the stream");
    return output.Finish(total);
}

HeaderBlock InflateHeaderBlock(const std::uint8_t* bytes, std::size_t length)
{
    const DecompressorPtr decompressor = NewDecompressor();
    HeaderBlockBuilder output;
    if (const std::optional<std::size_t> size = InflateWhole(decompressor.get(), output, bytes, length))
        return output.Finish(*size);
    return InflateHeaderBlockStreaming(bytes, length);
}

struct HeaderInflater::Decompressor {
    DecompressorPtr pointer = NewDecompressor();
};

struct HeaderInflater::Stream : InflateStream {};

HeaderInflater::HeaderInflater() = default;

HeaderInflater::~HeaderInflater() = default;

std::span<const std::uint8_t> HeaderInflater::Inflate(const std::uint8_t* bytes, std::size_t length)
{
    if (!m_decompressor)
        m_decompressor = std::make_unique<Decompressor>();
    if (const std::optional<std::size_t> size = InflateWhole(m_decompressor->pointer.get(), m_output, bytes, length))
        return {m_output.Data(), *size};
    return {m_output.Data(), InflateStreaming(bytes, length)};
}

void HeaderInflater::ThrowStreamingError(const std::uint8_t* bytes, std::size_t length)
{
    InflateStreaming(bytes, length);
}

std::size_t HeaderInflater::InflateStreaming(const std::uint8_t* bytes, std::size_t length)
{
    if (m_stream && inflateReset(&m_stream->z) != Z_OK)
        m_stream.reset(); // cannot happen to an open stream; a fresh one is the safe answer if it ever does
    if (!m_stream) {
        auto stream = std::make_unique<Stream>();
        Open(*stream);
        m_stream = std::move(stream);
    }
    return InflateInto(m_stream->z, m_output, bytes, length);
}

} // namespace Mgx
