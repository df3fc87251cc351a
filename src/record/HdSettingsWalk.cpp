#include "HdSettingsWalk.h"

#include "ChapterInfo.h"
#include "MemoryStream.h"
#include "RecordError.h"
#include "RecordLayout.h"
#include "WalkArithmetic.h"
#include "WalkState.h"

#include <cmath>
#include <cstring>

namespace Mgx {

namespace {

using namespace HdSettingsLayout;

void ExpectBytes(MemoryStream& s, const std::uint8_t* bytes, std::size_t length, const char* what)
{
    const std::int64_t at = s.position();
    std::uint8_t found[sizeof Separator] = {};
    s.read(found, length);
    if (std::memcmp(found, bytes, length) != 0)
        throw HeaderError(std::string("the settings block has no ") + what, at);
}

void ExpectSeparator(MemoryStream& s)
{
    ExpectBytes(s, Separator, sizeof Separator, "separator");
}

std::string ReadText(MemoryStream& s)
{
    const std::uint16_t length = s.readUInt16();
    ExpectBytes(s, TextMark, sizeof TextMark, "text mark");
    return s.readBytes(length);
}

void SkipText(MemoryStream& s)
{
    const std::uint16_t length = s.readUInt16();
    ExpectBytes(s, TextMark, sizeof TextMark, "text mark");
    s.skip(length);
}

int ReadSettingsVersion(MemoryStream& s)
{
    return static_cast<int>(std::lround(static_cast<double>(s.readFloat32())));
}

void WalkGameChoices(MemoryStream& s, int version, WalkState& state)
{
    s.skip(AfterVersion);
    s.skip(Signed32(DlcIdSize * Wide(s.readInt32())));
    s.skip(4); // the data set
    s.skip(4); // difficulty: the lobby has it too
    state.selectedMapId = s.readInt32();
    state.resolvedMapId = s.readInt32();
    s.skip(5 * 4); // reveal map, victory, starting resources, starting and ending age: the lobby has them too
    if (version >= Version57)
        s.skip(4); // the game mode
    ExpectSeparator(s);
}

// HD 4.6/4.7 names the map here and lists no slots.
void WalkOldestTail(MemoryStream& s)
{
    s.skip(Old46Head);
    ExpectSeparator(s);
    s.skip(Old46BeforeTexts);
    for (int i = 0; i < Old46Texts; ++i)
        SkipText(s);
    s.skip(Old46AfterTexts);
    ExpectSeparator(s);
    s.skip(Old46End);
}

// Returns the slot's first uint32, by which a slot without ratings is told from one with them.
std::uint32_t WalkSlot(MemoryStream& s, int version)
{
    const std::uint32_t head = s.readUInt32();
    s.skip(4); // colour: the player blocks have it
    if (version >= Version57)
        s.skip(Version57AfterColour);
    s.skip(AfterColour);
    s.skip(4 + 4); // team and civilisation: the lobby and the player blocks have them
    SkipText(s);   // the AI type
    s.skip(AfterAiType);
    if (version >= Version50)
        SkipText(s); // the AI name
    SkipText(s);     // the player's name: the player blocks have it
    s.skip(4);       // the slot's type
    s.skip(SteamIdSize);
    s.skip(4); // the player number
    return head;
}

// HD 5.8 writes ratings after each slot, HD 5.7 does not, and both call the block 1006: without
// ratings the first slot's first uint32 comes again where the second slot starts.
bool SlotsCarryRatings(MemoryStream& s, int version, std::uint32_t firstHead)
{
    if (version < Version57)
        return false;
    const std::int64_t at = s.position();
    const bool repeated = s.readUInt32() == firstHead;
    s.seekTo(at);
    return !repeated;
}

void WalkSlots(MemoryStream& s, int version)
{
    const std::uint32_t firstHead = WalkSlot(s, version);
    const bool ratings = SlotsCarryRatings(s, version, firstHead);
    if (ratings)
        s.skip(Ratings);
    for (int slot = 1; slot < Slots; ++slot) {
        WalkSlot(s, version);
        if (ratings)
            s.skip(Ratings);
    }
}

void WalkLobbyTail(MemoryStream& s, int version)
{
    s.skip(AfterSlots);
    ExpectSeparator(s);
    s.skip(BeforeVisibility);
    s.skip(4); // lobby visibility
    s.skip(AfterVisibility);
    for (int i = 0; i < FileTexts; ++i) {
        SkipText(s);
        s.skip(AfterFileText);
    }
    s.skip(Guid);
    SkipText(s); // the lobby's name
    SkipText(s); // the mod's name
    s.skip(AfterModName);
    if (version >= Version50) {
        s.skip(Version50Tail);
        SkipText(s);
        s.skip(Version50Tail);
    }
}

} // namespace

void WalkHdSettings(MemoryStream& s, ChapterInfo& chapter, WalkState& state)
{
    const int version = ReadSettingsVersion(s);
    chapter.settingsVersion = static_cast<std::uint16_t>(version);
    WalkGameChoices(s, version, state);
    if (version == Version46) {
        chapter.mapName = ReadText(s);
        SkipText(s);
    }
    ExpectSeparator(s);
    s.skip(4 + 4 + 4 + 4); // speed, treaty length, population limit and player count: the replay block has them
    s.skip(AfterPlayerCount);
    ExpectSeparator(s);
    s.skip(Flags);
    if (version == Version46) {
        WalkOldestTail(s);
        return;
    }
    WalkSlots(s, version);
    WalkLobbyTail(s, version);
}

} // namespace Mgx
