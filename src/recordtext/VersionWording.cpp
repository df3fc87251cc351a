#include "VersionWording.h"

#include "RecordFormat.h"

std::string_view VersionWording(std::int32_t logVersion, int formatFamily)
{
    if (formatFamily == Mgx::RecordFormat::UserPatch12)
        return "UserPatch 1.2";
    if (formatFamily == Mgx::RecordFormat::Hd)
        return "HD";
    switch (logVersion) {
    case 3:
        return "1.0a";
    case 4:
        return "1.0c";
    default:
        return "其他";
    }
}
