// Arbitrary bytes as a body: the scan never fails, so it must return with what it read, whatever the
// lengths and counts say. The input is the offset of the next chapter (int32) and then the body;
// the body starts at offset 4 of the file, so chapter offsets in the input are file offsets.
#include "BodyScan.h"
#include "ChapterInfo.h"
#include "RecordFile.h"
#include "ScratchFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t EventLineCapacity = 1023;

// Event lines name lobby slots: a long name must be cut at the line buffer, a GBK one kept whole.
Mgx::ChapterInfo ChapterWithNames()
{
    Mgx::ChapterInfo chapter;
    for (std::size_t i = 1; i < chapter.slots.size(); ++i)
        chapter.slots[i].name = std::string("\xB6\xAB\xB7\xBD") + std::to_string(i);
    chapter.slots[3].name = std::string(2000, 'n');
    return chapter;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile scratch("body.mgx");
    if (size < 4 || !scratch.Write(data, size))
        return 0;
    std::int32_t nextChapterPos = 0;
    std::memcpy(&nextChapterPos, data, sizeof nextChapterPos);

    Mgx::RecordFile file(scratch.Path());
    file.SeekTo(4);
    static const Mgx::ChapterInfo named = ChapterWithNames();
    Mgx::ChapterInfo chapter = named;
    Mgx::ScanBody(file, chapter, nextChapterPos);
    // Every line is a chat text from the input or an event line that fits the game's line buffer.
    for (const Mgx::ChatInGame& line : chapter.ingameChat)
        if (line.text.size() > std::max(size, EventLineCapacity))
            std::abort();
    return 0;
}
