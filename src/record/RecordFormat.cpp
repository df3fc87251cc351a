#include "RecordFormat.h"

#include "RecordError.h"
#include "RecordLayout.h"

#include <cmath>
#include <string_view>

namespace Mgx {

namespace {

bool IsSaveVersion(float stored, float expected)
{
    return std::fabs(stored - expected) <= SaveVersion::Tolerance;
}

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> candidates)
{
    for (const std::string_view candidate : candidates)
        if (text == candidate)
            return true;
    return false;
}

[[noreturn]] void Refuse(const HeaderVersion& version, UnsupportedFormatKind kind)
{
    throw UnsupportedFormatError(version.text, version.saveVersion, kind);
}

RecordFormat IdentifyVersion94(const HeaderVersion& version)
{
    const float save = version.saveVersion;
    if (IsSaveVersion(save, SaveVersion::DefinitiveMarker))
        throw UnsupportedFormatError(version.text, save, UnsupportedFormatKind::DefinitiveEdition,
                                     DefinitiveVersion(version.definitiveVersion));
    // Only save versions above The Conquerors' are later games. Anything at or below it (or not a
    // number at all) walks as The Conquerors, as such records always have.
    if (!(save > SaveVersion::Conquerors + SaveVersion::Tolerance))
        return {};
    if (IsSaveVersion(save, SaveVersion::HdFirst))
        return {RecordFormat::Hd, false};
    if (IsSaveVersion(save, SaveVersion::HdLater))
        return {RecordFormat::Hd, save >= SaveVersion::HdLaterFrom};
    if (save >= SaveVersion::DefinitiveFrom)
        Refuse(version, UnsupportedFormatKind::DefinitiveEdition);
    if (save >= SaveVersion::HdSettingsBlockFrom)
        return {RecordFormat::HdWithSettings, true, HdReleaseOf(save)};
    if (save >= SaveVersion::HdBeforeSettingsFrom)
        return {RecordFormat::HdBeforeSettings, true, HdReleaseOf(save)};
    Refuse(version, UnsupportedFormatKind::OtherHdRelease);
}

// UserPatch 1.4 and 1.5 keep The Conquerors' save version; any other is no release we know.
RecordFormat IdentifyLaterUserPatch(const HeaderVersion& version, RecordFormat::Family family)
{
    if (!IsSaveVersion(version.saveVersion, SaveVersion::Conquerors))
        Refuse(version, UnsupportedFormatKind::LaterUserPatch);
    return {family, false};
}

} // namespace

RecordFormat IdentifyRecordFormat(const HeaderVersion& version)
{
    const std::string_view text = version.text;
    if (text == "VER 9.4")
        return IdentifyVersion94(version);
    if (text == "VER 9.8") {
        if (IsSaveVersion(version.saveVersion, SaveVersion::Conquerors))
            return {RecordFormat::UserPatch12, false};
        return {}; // not a combination any game writes: walked as before
    }
    if (IsOneOf(text, {"VER 9.3", "TRL 9.3"}))
        Refuse(version, UnsupportedFormatKind::AgeOfKings);
    if (text == "VER 9.5")
        Refuse(version, UnsupportedFormatKind::Mod);
    if (IsOneOf(text, {"VER 9.A", "VER 9.B", "VER 9.C", "VER 9.D"}))
        return IdentifyLaterUserPatch(version, RecordFormat::UserPatch14);
    if (IsOneOf(text, {"VER 9.E", "VER 9.F"}))
        return IdentifyLaterUserPatch(version, RecordFormat::UserPatch15);
    if (IsOneOf(text, {"VER 9.9", "MCP 9.F"}))
        Refuse(version, UnsupportedFormatKind::LaterUserPatch);
    return {};
}

RecordFormat ChapterFormat(const std::string& versionText, float saveVersion) noexcept
{
    try {
        return IdentifyRecordFormat({versionText, saveVersion});
    } catch (...) {
        return {};
    }
}

double DefinitiveVersion(std::uint32_t stored)
{
    if (stored < SaveVersion::DefinitiveWholeBelow)
        return stored;
    return stored / SaveVersion::DefinitiveFixedPointUnit;
}

std::uint16_t HdReleaseOf(float saveVersion)
{
    // Only called for save versions between the HD families' bounds, so the value fits.
    return static_cast<std::uint16_t>(std::lround(static_cast<double>(saveVersion) * 100));
}

std::int32_t EffectivePopulationLimit(const RecordFormat& format, std::int32_t storedLimit)
{
    if (!format.IsUserPatch())
        return storedLimit;
    // Wrapping as the 32-bit value would: a damaged stored value gives an unlisted limit, never undefined behaviour.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(storedLimit) * UserPatchPopulationUnit);
}

const char* UnsupportedFormatName(UnsupportedFormatKind kind)
{
    switch (kind) {
    case UnsupportedFormatKind::DefinitiveEdition: return "Definitive Edition";
    case UnsupportedFormatKind::HdWithSettingsBlock: return "HD Edition 4.6 or later";
    case UnsupportedFormatKind::OtherHdRelease: return "HD Edition release not covered";
    case UnsupportedFormatKind::AgeOfKings: return "Age of Kings";
    case UnsupportedFormatKind::Mod: return "a modification of the game";
    case UnsupportedFormatKind::LaterUserPatch: return "UserPatch 1.3 or later";
    case UnsupportedFormatKind::HdSavedGame: return "HD Edition saved game, not a record";
    }
    return "unknown";
}

} // namespace Mgx
