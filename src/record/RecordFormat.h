#pragma once

#include <cstdint>
#include <string>

namespace Mgx {

// Which game wrote a record, as far as the walk must know: later patches of the same game move a
// few stretches of the header. Identified once, from the header's first 12 bytes, and carried in
// the walk's state.
struct RecordFormat {
    // Stored in the library index by number: new families take new numbers.
    enum Family : std::uint8_t {
        Conquerors = 0,
        UserPatch12 = 1,
        Hd = 2, // save versions 11.97 and 12.10
        UserPatch14 = 3,
        UserPatch15 = 4,
        HdBeforeSettings = 5, // HD releases before 4.6 (.mgx2, .msx), save versions 12.20 to 12.34
        HdWithSettings = 6,   // HD 4.6 to 5.8 (.aoe2record): a settings block before the AI block
    };

    Family family = Conquerors;
    // HD releases from save version 12.00 on change a few more sizes.
    bool hdLater = false;
    // The later HD families: the save version in hundredths (1220, 1250, ...). Many of their sizes
    // change from one release to the next.
    std::uint16_t hdRelease = 0;

    // Every UserPatch keeps the changes 1.2 made.
    bool IsUserPatch() const { return family == UserPatch12 || IsLaterUserPatch(); }
    // UserPatch 1.4 and 1.5 (.mgz) change more on top of them, and 1.5 a few more still.
    bool IsLaterUserPatch() const { return family == UserPatch14 || family == UserPatch15; }
    bool IsUserPatch15() const { return family == UserPatch15; }
    // Every HD family keeps the changes the first HD releases made.
    bool IsHd() const { return family == Hd || IsLateHd(); }
    bool IsLateHd() const { return family == HdBeforeSettings || family == HdWithSettings; }
    bool HasHdSettingsBlock() const { return family == HdWithSettings; }
    // A later HD release at or after the given save version in hundredths.
    bool IsHdFrom(int hundredths) const { return IsLateHd() && hdRelease >= hundredths; }
};

// What an unreadable record was found to be; the view names it for the user.
enum class UnsupportedFormatKind : std::uint8_t {
    DefinitiveEdition,
    HdWithSettingsBlock, // HD 4.6 and later
    OtherHdRelease,
    AgeOfKings,
    Mod,
    LaterUserPatch,
    HdSavedGame, // an HD saved game: a game's state, not a record
};

// The version text with its NUL padding removed, and the save version as stored.
struct HeaderVersion {
    std::string text;
    float saveVersion = 0;
    // The Definitive Edition's later records store the save version -1.0 and then this uint32.
    std::uint32_t definitiveVersion = 0;
};

// The Definitive Edition's version after the -1.0 save version: 16.16 fixed point (63.0 is
// 4 128 768), or in one release the whole number itself.
double DefinitiveVersion(std::uint32_t stored);

// The save version of a later HD release in hundredths, as RecordFormat::hdRelease holds it.
std::uint16_t HdReleaseOf(float saveVersion);

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
