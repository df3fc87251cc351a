#include "RecordLoader.h"

#include "BodyScan.h"
#include "HeaderInflater.h"
#include "HeaderWalk.h"
#include "MemoryStream.h"
#include "RecordError.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "Utf8Path.h"

#include <filesystem>
#include <vector>

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

std::vector<std::uint8_t> ReadCompressedBlock(RecordFile& file, std::int32_t headerEnd)
{
    if (headerEnd <= LeadingFieldsSize)
        throw ContainerError("the header block would end at offset " + std::to_string(headerEnd) + ", before it begins", 0);
    // A block that claims more than the file holds is cut off; inflating what is there reports that.
    const std::int64_t claimed = std::int64_t{headerEnd} - LeadingFieldsSize;
    const std::int64_t present = std::min(claimed, std::max<std::int64_t>(file.length() - LeadingFieldsSize, 0));
    std::vector<std::uint8_t> block(static_cast<std::size_t>(present));
    file.read(block.data(), block.size());
    return block;
}

} // namespace

std::string GameRecord::fullPath() const
{
#ifdef _WIN32
    return folder + "\\" + fileName;
#else
    return folder + "/" + fileName;
#endif
}

ChapterInfo ParseChapter(RecordFile& file)
{
    ChapterInfo chapter;
    // A file shorter than the two fields reads the missing bytes as zero.
    file.readInt32(chapter.headerEnd);
    file.readInt32(chapter.nextChapterPos);
    const std::int32_t headerEnd = chapter.headerEnd;
    if (headerEnd == 0) {
        chapter.status = ChapterInfo::HeaderEndMissing;
        return chapter;
    }
    {
        const std::vector<std::uint8_t> compressed = ReadCompressedBlock(file, headerEnd);
        MemoryStream stream(InflateHeaderBlock(compressed.data(), compressed.size()));
        WalkHeader(stream, chapter);
    }
    file.seekTo(headerEnd);
    ScanBody(file, chapter, chapter.nextChapterPos);
    chapter.status = ChapterInfo::Read;
    return chapter;
}

GameRecord LoadRecordFile(const std::string& path)
{
    RecordFile file(path);
    GameRecord record;
    SplitPath(path, record);
    if (file.length() != 0)
        record.chapters.push_back(ParseChapter(file));
    file.close();
    return record;
}

} // namespace Mgx
