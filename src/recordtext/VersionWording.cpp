#include "VersionWording.h"

#include "RecordFormat.h"

std::string_view VersionWording(std::int32_t logVersion, int formatFamily)
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
