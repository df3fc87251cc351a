#include "TextCodePage.h"

#include "RecordFormat.h"

#include "ChapterInfo.h"

#include <functional>

namespace Mgx {

namespace {

bool InRange(std::uint8_t byte, std::uint8_t low, std::uint8_t high) { return byte >= low && byte <= high; }

// A double-byte code page: which bytes lead a pair, which may follow, and which stand alone.
struct DoubleByteRules {
    bool (*lead)(std::uint8_t);
    bool (*trail)(std::uint8_t);
    bool (*single)(std::uint8_t);
};

bool IsValidDoubleByte(std::string_view bytes, const DoubleByteRules& rules)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (byte < 0x80 || rules.single(byte))
            continue;
        if (!rules.lead(byte) || i + 1 == bytes.size() || !rules.trail(static_cast<std::uint8_t>(bytes[i + 1])))
            return false;
        ++i;
    }
    return true;
}

constexpr DoubleByteRules GbkRules{
    [](std::uint8_t b) { return InRange(b, 0x81, 0xFE); },
    [](std::uint8_t b) { return InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFE); },
    [](std::uint8_t) { return false; },
};
constexpr DoubleByteRules ShiftJisRules{
    [](std::uint8_t b) { return InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC); },
    [](std::uint8_t b) { return InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFC); },
    [](std::uint8_t b) { return InRange(b, 0xA1, 0xDF); }, // half-width katakana
};
constexpr DoubleByteRules Big5Rules{
    [](std::uint8_t b) { return InRange(b, 0x81, 0xFE); },
    [](std::uint8_t b) { return InRange(b, 0x40, 0x7E) || InRange(b, 0xA1, 0xFE); },
    [](std::uint8_t) { return false; },
};

// Single-byte pages are valid but for the few bytes they leave undefined.
bool IsValidWesternEuropean(std::string_view bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D)
            return false;
    }
    return true;
}

bool IsValidCyrillic(std::string_view bytes) { return bytes.find('\x98') == std::string_view::npos; }

std::string_view Shown(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// Every text of the chapter a view shows, each handed to visit until it returns false.
bool AllTexts(const ChapterInfo& chapter, const std::function<bool(std::string_view)>& visit)
{
    const auto optional = [&](const GbkText& text) { return !text || visit(Shown(*text)); };
    // UTF-8 names say nothing of the code page of the other text.
    for (const PlayerInfo& player : chapter.players)
        if (!chapter.utf8Names && !optional(player.name))
            return false;
    for (const PlayerSlot& slot : chapter.slots)
        if (!chapter.utf8Names && !optional(slot.name))
            return false;
    if (!optional(chapter.scenarioFileName) || !optional(chapter.instructions))
        return false;
    for (const ChatBeforeGame& line : chapter.pregameChat)
        if (!visit(Shown(line.text)))
            return false;
    for (const ChatInGame& line : chapter.ingameChat) {
        const std::string_view text = std::string_view(line.text).substr(0, line.text.size() - line.composedTail);
        if (!visit(Shown(text)))
            return false;
    }
    return true;
}

bool AllValid(const ChapterInfo& chapter, std::uint16_t codePage)
{
    return AllTexts(chapter, [codePage](std::string_view text) { return IsValidText(text, codePage); });
}

// Cyrillic words are runs of letters above 0xC0, which Western European text holds one at a time
// among plain letters; both pages take nearly any bytes, so the runs tell them apart.
bool LooksCyrillic(const ChapterInfo& chapter)
{
    std::size_t letters = 0;
    std::size_t inRuns = 0;
    AllTexts(chapter, [&](std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (static_cast<std::uint8_t>(text[i]) < 0xC0)
                continue;
            ++letters;
            const bool before = i > 0 && static_cast<std::uint8_t>(text[i - 1]) >= 0xC0;
            const bool after = i + 1 < text.size() && static_cast<std::uint8_t>(text[i + 1]) >= 0xC0;
            if (before || after)
                ++inRuns;
        }
        return true;
    });
    return letters > 0 && 2 * inRuns > letters;
}

} // namespace

bool IsValidText(std::string_view bytes, std::uint16_t codePage)
{
    switch (codePage) {
    case CodePage::Gbk: return IsValidDoubleByte(bytes, GbkRules);
    case CodePage::ShiftJis: return IsValidDoubleByte(bytes, ShiftJisRules);
    case CodePage::Big5: return IsValidDoubleByte(bytes, Big5Rules);
    case CodePage::WesternEuropean: return IsValidWesternEuropean(bytes);
    case CodePage::Cyrillic: return IsValidCyrillic(bytes);
    default: return false;
    }
}

std::uint16_t DetectCodePage(const ChapterInfo& chapter)
{
    if (AllValid(chapter, CodePage::Gbk))
        return CodePage::Gbk;
    // The single-byte pages first: Western European is the most common elsewhere, and Shift_JIS text
    // nearly always holds a byte it leaves undefined (the lead byte of Japanese punctuation among
    // them). The two single-byte pages take nearly any bytes: the shape of the words decides.
    if (AllValid(chapter, CodePage::WesternEuropean))
        return AllValid(chapter, CodePage::Cyrillic) && LooksCyrillic(chapter) ? CodePage::Cyrillic : CodePage::WesternEuropean;
    for (const std::uint16_t codePage : {CodePage::ShiftJis, CodePage::Big5, CodePage::Cyrillic})
        if (AllValid(chapter, codePage))
            return codePage;
    return CodePage::Gbk;
}

std::uint16_t NameCodePage(const ChapterInfo& chapter)
{
    return chapter.utf8Names ? CodePage::Utf8 : chapter.codePage;
}

void SetTextCodePages(ChapterInfo& chapter)
{
    const RecordFormat format = ChapterFormat(chapter.versionText, chapter.saveVersion);
    chapter.utf8Names = format.IsLateHd();
    chapter.codePage = format.HasHdSettingsBlock() ? CodePage::Utf8 : DetectCodePage(chapter);
}

const char* CodePageName(std::uint16_t codePage)
{
    switch (codePage) {
    case CodePage::ShiftJis: return "Shift_JIS";
    case CodePage::Big5: return "Big5";
    case CodePage::WesternEuropean: return "windows-1252";
    case CodePage::Cyrillic: return "windows-1251";
    case CodePage::Utf8: return "UTF-8";
    default: return "GBK";
    }
}

} // namespace Mgx
