// Arbitrary bytes as an inflated header block: the walk must fill the chapter or throw a RecordError.
#include "ChapterInfo.h"
#include "HeaderWalk.h"
#include "MemoryStream.h"
#include "RecordError.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Mgx::MemoryStream stream(Mgx::HeaderBlock::CopyOf(data, size));
    Mgx::ChapterInfo chapter;
    try {
        Mgx::WalkHeader(stream, chapter);
    } catch (const Mgx::RecordError&) {
    }
    if (chapter.objectMarks.size() * 2 != chapter.terrain.size())
        std::abort();
    return 0;
}
