#include "RecordReader.h"

#include "BodyScan.h"
#include "ForeignFile.h"
#include "HeaderWalk.h"
#include "MemoryStream.h"
#include "RecordError.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "TextCodePage.h"
#include "Utf8Path.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace Mgx {

namespace {


bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

// A relative path is made absolute first, so that joining folder and file name names the same file.
void SplitPath(const std::string& given, GameRecord& record)
{
    std::string path = given;
    const auto fsPath = PathFromUtf8(given);
    if (fsPath.is_relative()) {
        std::error_code error;
        const auto absolute = std::filesystem::absolute(fsPath, error);
        if (!error)
            path = Utf8FromPath(absolute);
    }
    std::size_t cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    record.fileName = path.substr(cut);
    record.folder = cut > 0 ? path.substr(0, cut - 1) : std::string();
}

// Keeps the larger of two spare arrays, emptied; one past the limit is not worth holding.
void KeepSpare(std::vector<std::uint8_t>& spare, std::vector<std::uint8_t>& array)
{
    if (array.capacity() > spare.capacity() && array.capacity() <= RecordReader::KeptBufferLimit) {
        spare = std::move(array);
        spare.clear();
    }
}

template <typename Buffer> void ReleaseIfLarge(Buffer& buffer)
{
    if (buffer.capacity() > RecordReader::KeptBufferLimit)
        Buffer().swap(buffer);
}

} // namespace

RecordReader::RecordReader()
    : m_fileBuffer(new std::uint8_t[RecordFile::BufferSize])
{
}

RecordReader::~RecordReader() = default;

GameRecord RecordReader::Load(const std::string& path)
{
    // Also after a failed load, so one unusual file does not hold its memory for the rest of the run.
    struct ReleaseAfterwards {
        RecordReader& reader;
        ~ReleaseAfterwards() { reader.ReleaseLargeBuffers(); }
    } release{*this};

    RecordFile file(path, m_fileBuffer.get());
    GameRecord record;
    SplitPath(path, record);
    if (file.Length() != 0)
        record.chapters.push_back(ParseChapter(file));
    file.Close();
    return record;
}

GameRecord RecordReader::LoadBytes(std::span<const std::uint8_t> bytes, const std::string& name)
{
    struct ReleaseAfterwards {
        RecordReader& reader;
        ~ReleaseAfterwards() { reader.ReleaseLargeBuffers(); }
    } release{*this};

    RecordFile file(bytes);
    GameRecord record;
    const std::size_t slash = name.rfind('/');
    record.fileName = slash == std::string::npos ? name : name.substr(slash + 1);
    record.folder = slash == std::string::npos ? std::string() : name.substr(0, slash);
    if (file.Length() != 0)
        record.chapters.push_back(ParseChapter(file));
    return record;
}

void RecordReader::Recycle(GameRecord&& record)
{
    for (ChapterInfo& chapter : record.chapters) {
        KeepSpare(m_terrain, chapter.terrain);
        KeepSpare(m_objectMarks, chapter.objectMarks);
    }
    record = GameRecord();
}

std::size_t RecordReader::KeptBytes() const
{
    return RecordFile::BufferSize + m_compressed.capacity() + m_inflater.OutputCapacity() + m_terrain.capacity()
        + m_objectMarks.capacity();
}

ChapterInfo RecordReader::ParseChapter(RecordFile& file)
{
    ChapterInfo chapter;
    // A file shorter than the two fields reads the missing bytes as zero.
    file.ReadInt32(chapter.headerEnd);
    file.ReadInt32(chapter.nextChapterPos);
    const std::int32_t headerEnd = chapter.headerEnd;
    if (headerEnd == 0) {
        chapter.status = ChapterInfo::HeaderEndMissing;
        return chapter;
    }
    // The walk sizes both arrays itself; the spares only lend their capacity.
    chapter.terrain = std::exchange(m_terrain, {});
    chapter.objectMarks = std::exchange(m_objectMarks, {});
    {
        std::span<const std::uint8_t> compressed;
        const std::span<const std::uint8_t> block = InflateHeaderBlock(file, headerEnd, compressed);
        MemoryStream stream(block.data(), block.size());
        try {
            WalkHeader(stream, chapter);
        } catch (const RecordError&) {
            // A block zlib refuses but the whole-block inflater reads fails as zlib says.
            m_inflater.ThrowStreamingError(compressed.data(), compressed.size());
            throw;
        }
    }
    file.SeekTo(headerEnd);
    ScanBody(file, chapter, chapter.nextChapterPos);
    SetTextCodePages(chapter);
    chapter.status = ChapterInfo::Read;
    return chapter;
}

std::span<const std::uint8_t> RecordReader::InflateHeaderBlock(RecordFile& file, std::int32_t headerEnd,
                                                               std::span<const std::uint8_t>& compressed)
{
    try {
        compressed = ReadCompressedBlock(file, headerEnd);
        return m_inflater.Inflate(compressed.data(), compressed.size());
    } catch (const InflateError&) {
        RefuseForeignFile(file); // a saved game or an Age of Kings record says so rather than failing to inflate
        throw;
    } catch (const ContainerError&) {
        RefuseForeignFile(file);
        throw;
    }
}

std::span<const std::uint8_t> RecordReader::ReadCompressedBlock(RecordFile& file, std::int32_t headerEnd)
{
    if (headerEnd <= LeadingFieldsSize)
        throw ContainerError("the header block would end at offset " + std::to_string(headerEnd) + ", before it begins", 0);
    // A block that claims more than the file holds is cut off; inflating what is there reports that.
    const std::int64_t claimed = std::int64_t{headerEnd} - LeadingFieldsSize;
    const auto present = static_cast<std::size_t>(std::min(claimed, std::max<std::int64_t>(file.Length() - LeadingFieldsSize, 0)));
    if (m_compressed.size() < present)
        m_compressed.resize(present);
    // Bytes a failing read leaves out read as zero, never as an earlier file's.
    const std::size_t got = file.Read(m_compressed.data(), present);
    std::fill(m_compressed.begin() + static_cast<std::ptrdiff_t>(got), m_compressed.begin() + static_cast<std::ptrdiff_t>(present), 0);
    return {m_compressed.data(), present};
}

void RecordReader::ReleaseLargeBuffers()
{
    ReleaseIfLarge(m_compressed);
    if (m_inflater.OutputCapacity() > KeptBufferLimit)
        m_inflater.ReleaseOutput();
}

} // namespace Mgx
