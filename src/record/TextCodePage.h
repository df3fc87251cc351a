#pragma once

#include <cstdint>
#include <string_view>

namespace Mgx {

struct ChapterInfo;

// The code pages record text is met in: the game stores text in the recording system's own.
namespace CodePage {
constexpr std::uint16_t Gbk = 936;
constexpr std::uint16_t ShiftJis = 932;
constexpr std::uint16_t Big5 = 950;
constexpr std::uint16_t WesternEuropean = 1252;
constexpr std::uint16_t Cyrillic = 1251;
constexpr std::uint16_t Utf8 = 65001; // HD 4.6 and later; player names of every later HD release
} // namespace CodePage

// Whether bytes form valid text in a code page (ASCII is valid in all).
bool IsValidText(std::string_view bytes, std::uint16_t codePage);

// The code page of a chapter's text: GBK whenever all of it is valid GBK, so that every such record
// reads as it always has; otherwise the first common code page in which all of it is valid, and
// GBK again when none is. Only the text a view shows counts: up to each text's first NUL, and
// without the reader's own wording in event lines.
std::uint16_t DetectCodePage(const ChapterInfo& chapter);

// The code page of the chapter's player names: UTF-8 in the later HD releases, else the chapter's.
std::uint16_t NameCodePage(const ChapterInfo& chapter);

// Sets the chapter's code pages by the family that wrote it: HD 4.6 and later write UTF-8
// everywhere; earlier HD 4.x releases UTF-8 names among code-page messages; others are detected.
void SetTextCodePages(ChapterInfo& chapter);

// The codec name of a code page, as text converters know it.
const char* CodePageName(std::uint16_t codePage);

} // namespace Mgx
