#include "ForeignFile.h"

#include "HeaderInflater.h"
#include "MemoryStream.h"
#include "RecordError.h"
#include "RecordFile.h"
#include "RecordFormat.h"
#include "RecordLayout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace Mgx {

namespace {

// An HD saved game starts with a 16-byte id and then the int32 values 17, 1 and 1.
constexpr std::int64_t SavedGameIdSize = 16;
constexpr std::array<std::int32_t, 3> SavedGameMarks = {17, 1, 1};

// Age of Kings writes no second leading field: its header block starts right after headerEnd.
constexpr std::int64_t AgeOfKingsBlockStart = 4;

bool IsHdSavedGame(RecordFile& file)
{
    std::array<std::int32_t, SavedGameMarks.size()> marks{};
    file.SeekTo(SavedGameIdSize);
    for (std::int32_t& mark : marks)
        if (!file.ReadInt32(mark))
            return false;
    return marks == SavedGameMarks;
}

// The version text of a header block that starts AgeOfKingsBlockStart bytes in, or "" when none inflates there.
std::string AgeOfKingsVersionText(RecordFile& file)
{
    std::int32_t headerEnd = 0;
    file.SeekTo(0);
    if (!file.ReadInt32(headerEnd) || headerEnd <= AgeOfKingsBlockStart)
        return {};
    const std::int64_t end = std::min<std::int64_t>(headerEnd, file.Length());
    std::vector<std::uint8_t> compressed(static_cast<std::size_t>(std::max<std::int64_t>(end - AgeOfKingsBlockStart, 0)));
    file.SeekTo(AgeOfKingsBlockStart);
    compressed.resize(file.Read(compressed.data(), compressed.size()));
    try {
        MemoryStream block(InflateHeaderBlock(compressed.data(), compressed.size()));
        char text[VersionTextSize + 1] = {};
        block.Read(text, VersionTextSize);
        return text;
    } catch (const RecordError&) {
        return {};
    }
}

bool IsAgeOfKingsText(const std::string& text)
{
    return text == "VER 9.3" || text == "TRL 9.3";
}

} // namespace

void RefuseForeignFile(RecordFile& file)
{
    if (IsHdSavedGame(file))
        throw UnsupportedFormatError(std::string(), 0, UnsupportedFormatKind::HdSavedGame);
    const std::string text = AgeOfKingsVersionText(file);
    if (IsAgeOfKingsText(text))
        throw UnsupportedFormatError(text, 0, UnsupportedFormatKind::AgeOfKings);
}

} // namespace Mgx
