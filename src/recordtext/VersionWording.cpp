#include "VersionWording.h"

#include "RecordFormat.h"

namespace {

// The settings block's version names the release: 1000 is HD 4.6 and 4.7, 1004 HD 4.8, later ones 5.x.
std::string_view HdSettingsRelease(std::uint16_t settingsVersion)
{
    if (settingsVersion == 0)
        return "HD 4.6+";
    if (settingsVersion <= 1000)
        return "HD 4.6";
    if (settingsVersion < 1005)
        return "HD 4.8";
    return "HD 5.x";
}

} // namespace

std::string_view VersionWording(std::int32_t logVersion, int formatFamily, std::uint16_t settingsVersion)
{
    switch (formatFamily) {
    case Mgx::RecordFormat::UserPatch12:
        return "UserPatch 1.2";
    case Mgx::RecordFormat::UserPatch14:
        return "UserPatch 1.4";
    case Mgx::RecordFormat::UserPatch15:
        return "UserPatch 1.5";
    case Mgx::RecordFormat::Hd:
        return "HD";
    case Mgx::RecordFormat::HdBeforeSettings:
        return "HD 4.x";
    case Mgx::RecordFormat::HdWithSettings:
        return HdSettingsRelease(settingsVersion);
    default:
        break;
    }
    switch (logVersion) {
    case 3:
        return "1.0a";
    case 4:
        return "1.0c";
    default:
        return "其他";
    }
}
