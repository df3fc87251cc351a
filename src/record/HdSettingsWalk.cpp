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
    const std::int64_t at = s.Position();
    std::uint8_t found[sizeof Separator] = {};
    s.Read(found, length);
    if (std::memcmp(found, bytes, length) != 0)
        throw HeaderError(std::string("the settings block has no ") + what, at);
}

void ExpectSeparator(MemoryStream& s)
{
    ExpectBytes(s, Separator, sizeof Separator, "separator");
}

std::string ReadText(MemoryStream& s)
{
    const std::uint16_t length = s.ReadUInt16();
    ExpectBytes(s, TextMark, sizeof TextMark, "text mark");
    return s.ReadBytes(length);
}

void SkipText(MemoryStream& s)
{
    const std::uint16_t length = s.ReadUInt16();
    ExpectBytes(s, TextMark, sizeof TextMark, "text mark");
    s.Skip(length);
}

int ReadSettingsVersion(MemoryStream& s)
{
    return static_cast<int>(std::lround(static_cast<double>(s.ReadFloat32())));
}

void WalkGameChoices(MemoryStream& s, int version, WalkState& state)
{
    s.Skip(AfterVersion);
    s.Skip(Signed32(DlcIdSize * Wide(s.ReadInt32())));
    s.Skip(4); // the data set
    s.Skip(4); // difficulty: the lobby has it too
    state.selectedMapId = s.ReadInt32();
    state.resolvedMapId = s.ReadInt32();
    s.Skip(5 * 4); // reveal map, victory, starting resources, starting and ending age: the lobby has them too
    if (version >= Version57)
        s.Skip(4); // the game mode
    ExpectSeparator(s);
}

// HD 4.6/4.7 names the map here and lists no slots.
void WalkOldestTail(MemoryStream& s)
{
    s.Skip(Old46Head);
    ExpectSeparator(s);
    s.Skip(Old46BeforeTexts);
    for (int i = 0; i < Old46Texts; ++i)
        SkipText(s);
    s.Skip(Old46AfterTexts);
    ExpectSeparator(s);
    s.Skip(Old46End);
}

// Returns the slot's first uint32, by which a slot without ratings is told from one with them.
std::uint32_t WalkSlot(MemoryStream& s, int version)
{
    const std::uint32_t head = s.ReadUInt32();
    s.Skip(4); // colour: the player blocks have it
    if (version >= Version57)
        s.Skip(Version57AfterColour);
    s.Skip(AfterColour);
    s.Skip(4 + 4); // team and civilisation: the lobby and the player blocks have them
    SkipText(s);   // the AI type
    s.Skip(AfterAiType);
    if (version >= Version50)
        SkipText(s); // the AI name
    SkipText(s);     // the player's name: the player blocks have it
    s.Skip(4);       // the slot's type
    s.Skip(SteamIdSize);
    s.Skip(4); // the player number
    return head;
}

// HD 5.8 writes ratings after each slot, HD 5.7 does not, and both call the block 1006: without
// ratings the first slot's first uint32 comes again where the second slot starts.
bool SlotsCarryRatings(MemoryStream& s, int version, std::uint32_t firstHead)
{
    if (version < Version57)
        return false;
    const std::int64_t at = s.Position();
    const bool repeated = s.ReadUInt32() == firstHead;
    s.SeekTo(at);
    return !repeated;
}

void WalkSlots(MemoryStream& s, int version)
{
    const std::uint32_t firstHead = WalkSlot(s, version);
    const bool ratings = SlotsCarryRatings(s, version, firstHead);
    if (ratings)
        s.Skip(Ratings);
    for (int slot = 1; slot < Slots; ++slot) {
        WalkSlot(s, version);
        if (ratings)
            s.Skip(Ratings);
    }
}

void WalkLobbyTail(MemoryStream& s, int version)
{
    s.Skip(AfterSlots);
    ExpectSeparator(s);
    s.Skip(BeforeVisibility);
    s.Skip(4); // lobby visibility
    s.Skip(AfterVisibility);
    for (int i = 0; i < FileTexts; ++i) {
        SkipText(s);
        s.Skip(AfterFileText);
    }
    s.Skip(Guid);
    SkipText(s); // the lobby's name
    SkipText(s); // the mod's name
    s.Skip(AfterModName);
    if (version >= Version50) {
        s.Skip(Version50Tail);
        SkipText(s);
        s.Skip(Version50Tail);
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
    s.Skip(4 + 4 + 4 + 4); // speed, treaty length, population limit and player count: the replay block has them
    s.Skip(AfterPlayerCount);
    ExpectSeparator(s);
    s.Skip(Flags);
    if (version == Version46) {
        WalkOldestTail(s);
        return;
    }
    WalkSlots(s, version);
    WalkLobbyTail(s, version);
}

} // namespace Mgx
