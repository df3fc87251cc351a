#pragma once

#include <cstdint>
#include <string>

namespace Mgx {

// Which game wrote a record, as far as the walk must know: later patches of the same game move a
// few stretches of the header. Identified once, from the header's first 12 bytes, and carried in
// the walk's state.
struct RecordFormat {
    // Stored in the library index by number: new families take new numbers.
    enum Family : std::uint8_t { Conquerors = 0, UserPatch12 = 1, Hd = 2, UserPatch14 = 3, UserPatch15 = 4 };

    Family family = Conquerors;
    // HD releases from save version 12.00 on change a few more sizes.
    bool hdLater = false;

    // Every UserPatch keeps the changes 1.2 made.
    bool userPatch() const { return family == UserPatch12 || laterUserPatch(); }
    // UserPatch 1.4 and 1.5 (.mgz) change more on top of them, and 1.5 a few more still.
    bool laterUserPatch() const { return family == UserPatch14 || family == UserPatch15; }
    bool userPatch15() const { return family == UserPatch15; }
    bool hd() const { return family == Hd; }
};

// What an unreadable record was found to be; the view names it for the user.
enum class UnsupportedFormatKind : std::uint8_t {
    DefinitiveEdition,
    HdWithSettingsBlock, // HD 4.6 and later
    OtherHdRelease,
    AgeOfKings,
    Mod,
    LaterUserPatch,
};

// The version text with its NUL padding removed, and the save version as stored.
struct HeaderVersion {
    std::string text;
    float saveVersion = 0;
};

// The format of a record with this version, or UnsupportedFormatError when the walk cannot read it.
// Unknown version texts walk as The Conquerors, as they always have.
RecordFormat IdentifyRecordFormat(const HeaderVersion& version);

// The format of a chapter the walk has read (its header passed IdentifyRecordFormat); The Conquerors
// for any version text it would refuse, so that views never throw.
RecordFormat ChapterFormat(const std::string& versionText, float saveVersion) noexcept;

// The population limit the game used: every UserPatch stores it divided by 25.
std::int32_t EffectivePopulationLimit(const RecordFormat& format, std::int32_t storedLimit);

// A short English name of what the kind is, for the error's plain message.
const char* UnsupportedFormatName(UnsupportedFormatKind kind);

} // namespace Mgx
