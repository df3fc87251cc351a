#pragma once

#include <cstdint>
#include <string_view>

// The one wording of a record's version, shown by the panel, the library's version column and the
// rename template's {版本} field alike. UserPatch 1.2, 1.4, 1.5 and the HD releases come from the header's format family
// (Mgx::RecordFormat::Family), since their logVersion is 4 as in 1.0c; otherwise logVersion 3 is
// "1.0a", 4 "1.0c" and any other value "其他". UTF-8 and free of Qt, so every layer can use it.
// HD 4.6 and later are told apart by the settings block's version when it is known ("HD 4.6",
// "HD 4.8", "HD 5.x"); without it (the library keeps only the family) they read "HD 4.6+".
std::string_view VersionWording(std::int32_t logVersion, int formatFamily, std::uint16_t settingsVersion = 0);
