#pragma once

#include "RecordBlueprint.h"
#include "RecordLayout.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace Mgx {

// Builds a whole record file from a blueprint: headerEnd, nextChapterPos, the raw-DEFLATE header
// block and the body. Everything is computed once, in the constructor.
class RecordWriter {
public:
    explicit RecordWriter(const RecordBlueprint& blueprint);

    // The header block before and after compression.
    const std::vector<std::uint8_t>& HeaderBlock() const { return m_headerBlock; }
    const std::vector<std::uint8_t>& CompressedHeader() const { return m_compressed; }
    const std::vector<std::uint8_t>& Body() const { return m_body; }

    // Where the body really starts (after the leading fields and the compressed block), whatever the file's first field says.
    std::int64_t BodyOffset() const { return LeadingFieldsSize + static_cast<std::int64_t>(m_compressed.size()); }
    // The two fields as written at offsets 0 and 4.
    std::int32_t HeaderEnd() const { return m_headerEnd; }
    std::int32_t NextChapterPos() const { return m_nextChapterPos; }
    // File offsets of the chapter boundaries, in body order.
    const std::vector<std::int64_t>& ChapterBoundaries() const { return m_boundaries; }

    std::vector<std::uint8_t> FileBytes() const;
    // Throws std::runtime_error when the file cannot be written.
    void WriteFile(const std::filesystem::path& path) const;

private:
    std::vector<std::uint8_t> m_headerBlock;
    std::vector<std::uint8_t> m_compressed;
    std::vector<std::uint8_t> m_body;
    std::vector<std::int64_t> m_boundaries;
    std::int32_t m_headerEnd = 0;
    std::int32_t m_nextChapterPos = 0;
};

// Compresses bytes into one raw DEFLATE stream (no zlib or gzip wrapper), as the game stores its header.
std::vector<std::uint8_t> RawDeflate(const std::vector<std::uint8_t>& bytes);

} // namespace Mgx
