// One player data block, or a run of object records, walked from arbitrary bytes: the walk must stop
// with a RecordError or fill what it reached, and every mark it writes stays on the map.
//
// Input: a mode byte (even: a player block; odd: object records, each after its kind byte, up to a
// kind 0), the player count, the block's player index, the map side, then the stream.
#include "ChapterInfo.h"
#include "MemoryStream.h"
#include "MarkCode.h"
#include "PlayerBlockWalk.h"
#include "RecordError.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::size_t ParameterBytes = 4;
constexpr std::uint32_t LargestSide = 64;

Mgx::ChapterInfo ChapterFor(const std::uint8_t* parameters)
{
    Mgx::ChapterInfo chapter;
    chapter.playerCount = parameters[1];
    chapter.mapWidth = chapter.mapHeight = parameters[3] % (LargestSide + 1); // 0: a map without tiles
    chapter.objectMarks.assign(std::size_t{chapter.mapWidth} * chapter.mapHeight, 0);
    // Owners' colours decide their marks; the last one is beyond the eight colours.
    for (std::size_t i = 0; i < chapter.players.size(); ++i)
        chapter.players[i].colour = static_cast<std::uint8_t>(i + 1 < chapter.players.size() ? i : 200);
    return chapter;
}

void WalkObjectRecords(Mgx::MemoryStream& stream, Mgx::ChapterInfo& chapter)
{
    for (std::uint8_t kind = stream.ReadUInt8(); kind != 0; kind = stream.ReadUInt8())
        Mgx::WalkObjectRecord(stream, chapter, kind);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < ParameterBytes)
        return 0;
    Mgx::ChapterInfo chapter = ChapterFor(data);
    const std::size_t tiles = chapter.objectMarks.size();
    Mgx::MemoryStream stream(Mgx::HeaderBlock::CopyOf(data + ParameterBytes, size - ParameterBytes));
    try {
        if (data[0] % 2 == 0)
            Mgx::WalkPlayerBlock(stream, chapter, data[2]);
        else
            WalkObjectRecords(stream, chapter);
    } catch (const Mgx::RecordError&) {
    }
    if (chapter.objectMarks.size() != tiles)
        std::abort();
    for (const std::uint8_t mark : chapter.objectMarks)
        if (mark > Mgx::MarkCode::Cliff)
            std::abort();
    return 0;
}
