#pragma once

#include <cstdint>
#include <string_view>

// The one wording of a record's version, shown by the panel, the library's version column and the
// rename template's {版本} field alike. UserPatch 1.2, 1.4, 1.5 and HD come from the header's format family
// (Mgx::RecordFormat::Family), since their logVersion is 4 as in 1.0c; otherwise logVersion 3 is
// "1.0a", 4 "1.0c" and any other value "其他". UTF-8 and free of Qt, so every layer can use it.
std::string_view VersionWording(std::int32_t logVersion, int formatFamily);
