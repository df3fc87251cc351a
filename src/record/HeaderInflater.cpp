#include "HeaderInflater.h"

#include "RecordError.h"

#include <zlib.h>


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

// Offers zlib room in steps of 16 times the compressed size, up to the bomb limit. The room offered
// is counted apart from the buffer's capacity, so a buffer left large by an earlier block changes nothing.
std::size_t InflateInto(z_stream& z, HeaderBlockBuilder& output, const std::uint8_t* bytes, std::size_t length)
{
    const std::size_t step = 16 * (length / 8 * 8);
    z.next_in = const_cast<Bytef*>(bytes);
    z.avail_in = static_cast<uInt>(length);
    std::size_t offered = 0;
    std::size_t total = 0;
    int status = Z_OK;
    do {
        if (offered + step > MaxInflatedHeaderSize)
            throw InflateError(Z_MEM_ERROR, "inflates to more than " + std::to_string(MaxInflatedHeaderSize >> 20) + " MiB");
        offered += step;
        if (output.capacity() < offered || !output.data())
            output.grow(offered);
        z.next_out = output.data() + total;
        z.avail_out = static_cast<uInt>(offered - total);
        status = inflate(&z, Z_SYNC_FLUSH);
        total = z.total_out;
    } while (status == Z_OK);
    if (status != Z_STREAM_END)
        throw InflateError(status, ZlibMessage(z, status));
    return total;
}

} // namespace

HeaderBlock InflateHeaderBlock(const std::uint8_t* bytes, std::size_t length)
{
    InflateStream stream;
    Open(stream);
    HeaderBlockBuilder output;
    const std::size_t total = InflateInto(stream.z, output, bytes, length);
    stream.open = false;
    const int status = inflateEnd(&stream.z);
    if (status != Z_OK)
        throw InflateError(status, "zlib cannot close the stream");
    return output.finish(total);
}

struct HeaderInflater::Stream : InflateStream {};

HeaderInflater::HeaderInflater() = default;

HeaderInflater::~HeaderInflater() = default;

std::span<const std::uint8_t> HeaderInflater::inflate(const std::uint8_t* bytes, std::size_t length)
{
    if (!m_stream) {
        auto stream = std::make_unique<Stream>();
        Open(*stream);
        m_stream = std::move(stream);
    } else if (inflateReset(&m_stream->z) != Z_OK) {
        // Cannot happen to an open stream; starting over is the safe answer if it ever does.
        m_stream.reset();
        return inflate(bytes, length);
    }
    const std::size_t total = InflateInto(m_stream->z, m_output, bytes, length);
    return {m_output.data(), total};
}

} // namespace Mgx
