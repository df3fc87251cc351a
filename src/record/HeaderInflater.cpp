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

} // namespace

HeaderBlock InflateHeaderBlock(const std::uint8_t* bytes, std::size_t length)
{
    const std::size_t step = 16 * (length / 8 * 8);
    InflateStream stream;
    stream.z.next_in = const_cast<Bytef*>(bytes);
    stream.z.avail_in = static_cast<uInt>(length);
    int status = inflateInit2(&stream.z, -15); // raw DEFLATE, 32 KB window
    if (status != Z_OK)
        throw InflateError(status, "zlib cannot start");
    stream.open = true;

    HeaderBlockBuilder output;
    std::size_t total = 0;
    do {
        if (output.capacity() + step > MaxInflatedHeaderSize)
            throw InflateError(Z_MEM_ERROR, "inflates to more than " + std::to_string(MaxInflatedHeaderSize >> 20) + " MiB");
        output.grow(output.capacity() + step);
        stream.z.next_out = output.data() + total;
        stream.z.avail_out = static_cast<uInt>(output.capacity() - total);
        status = inflate(&stream.z, Z_SYNC_FLUSH);
        total = stream.z.total_out;
    } while (status == Z_OK);
    if (status != Z_STREAM_END)
        throw InflateError(status, ZlibMessage(stream.z, status));

    stream.open = false;
    status = inflateEnd(&stream.z);
    if (status != Z_OK)
        throw InflateError(status, "zlib cannot close the stream");
    return output.finish(total);
}

} // namespace Mgx
