#include "RecordWriter.h"

#include "BodyWriter.h"
#include "ByteBuilder.h"
#include "HeaderBlockWriter.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace Mgx {

std::vector<std::uint8_t> RawDeflate(const std::vector<std::uint8_t>& bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    const uLong total = stream.total_out;
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("deflate did not finish the stream");
    out.resize(total);
    return out;
}

RecordWriter::RecordWriter(const RecordBlueprint& blueprint)
    : m_headerBlock(blueprint.headerBlock ? *blueprint.headerBlock : HeaderBlockWriter::Write(blueprint.header))
    , m_compressed(RawDeflate(m_headerBlock))
{
    if (blueprint.rawBody) {
        m_body = *blueprint.rawBody;
    } else {
        WrittenBody written = BodyWriter::Write(blueprint.body, BodyOffset());
        m_body = std::move(written.bytes);
        m_boundaries = std::move(written.boundaries);
    }
    m_headerEnd = blueprint.headerEnd.value_or(static_cast<std::int32_t>(BodyOffset()));
    const std::int64_t firstBoundary = m_boundaries.empty() ? 0 : m_boundaries.front();
    m_nextChapterPos = blueprint.nextChapterPos.value_or(static_cast<std::int32_t>(firstBoundary));
}

std::vector<std::uint8_t> RecordWriter::FileBytes() const
{
    ByteBuilder out;
    out.I32(m_headerEnd);
    out.I32(m_nextChapterPos);
    out.Bytes(m_compressed);
    out.Bytes(m_body);
    return out.Data();
}

void RecordWriter::WriteFile(const std::filesystem::path& path) const
{
    const std::vector<std::uint8_t> bytes = FileBytes();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace Mgx
