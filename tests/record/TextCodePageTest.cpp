// Which code page a record's text is in: GBK whenever it can be, another common one only when GBK
// cannot be and that one can.
#include "RealRecords.h"

#include "ChapterInfo.h"
#include "RecordLoader.h"
#include "TextCodePage.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Mgx;

namespace {

ChapterInfo WithName(const std::string& name)
{
    ChapterInfo chapter;
    chapter.players[1].name = name;
    chapter.instructions = std::string("plain text");
    return chapter;
}

} // namespace

TEST(TextCodePage, EachPageRefusesTheBytesItLeavesUndefined)
{
    EXPECT_TRUE(IsValidText("\xD5\xC5\xC8\xFD", CodePage::Gbk));       // 张三
    EXPECT_TRUE(IsValidText("canci\xF3n", CodePage::Gbk));             // any byte from 0x40 may follow a lead
    EXPECT_FALSE(IsValidText("Jos\xE9 1", CodePage::Gbk));             // but not a space
    EXPECT_FALSE(IsValidText("\xD5", CodePage::Gbk));                  // a lead byte at the end
    EXPECT_FALSE(IsValidText("\x80", CodePage::Gbk));
    EXPECT_TRUE(IsValidText("\xB1\xDE\xDD\xB8 7", CodePage::ShiftJis)); // half-width katakana stand alone
    EXPECT_FALSE(IsValidText("\xA0", CodePage::ShiftJis));
    EXPECT_FALSE(IsValidText("\xA4\x7F", CodePage::Big5));
    EXPECT_TRUE(IsValidText("Jos\xE9 1", CodePage::WesternEuropean));
    EXPECT_FALSE(IsValidText("\x81\x5B", CodePage::WesternEuropean));
    EXPECT_FALSE(IsValidText("\x98", CodePage::Cyrillic));
    EXPECT_FALSE(IsValidText("plain", 437)) << "a page not known here is no page";
}

TEST(TextCodePage, GbkTextStaysGbkAndOtherTextFindsItsPage)
{
    EXPECT_EQ(DetectCodePage(WithName("\xD5\xC5\xC8\xFD")), CodePage::Gbk);
    EXPECT_EQ(DetectCodePage(WithName("plain")), CodePage::Gbk);
    // Valid GBK wins even where other pages would read the bytes too.
    EXPECT_EQ(DetectCodePage(WithName("Pe\xF1" "a")), CodePage::Gbk);
    EXPECT_EQ(DetectCodePage(WithName("Pe\xF1")), CodePage::WesternEuropean);
    // Japanese punctuation's lead byte is undefined in Windows-1252.
    EXPECT_EQ(DetectCodePage(WithName("\xB1 \x81\x5B")), CodePage::ShiftJis);
    // Whole words of high letters are Cyrillic; single accented letters among plain ones are not.
    EXPECT_EQ(DetectCodePage(WithName("\xCF\xF0\xE8\xE2\xE5\xF2\xE0 ")), CodePage::Cyrillic);
    EXPECT_EQ(DetectCodePage(WithName("Jos\xE9 ")), CodePage::WesternEuropean);
    // Bytes no common page reads leave GBK in place.
    EXPECT_EQ(DetectCodePage(WithName("\x81 \x98 \xFF")), CodePage::Gbk);
}

TEST(TextCodePage, OnlyTheShownTextCounts)
{
    // UserPatch 1.5 keeps binary values after the instructions' NUL; the reader's own GBK wording
    // closes event lines.
    ChapterInfo chapter = WithName("Jos\xE9 ");
    chapter.instructions = std::string("Mapa\0\x13\x00\xFE\xFA\xFC\xFE", 10);
    chapter.ingameChat.push_back({1000, "@#0 Jos\xE9 \xBF\xAA\xCA\xBC", 5});
    EXPECT_EQ(DetectCodePage(chapter), CodePage::WesternEuropean);
    chapter.ingameChat.push_back({2000, "@#1Jos\xE9: \x98\x81", 0});
    EXPECT_EQ(DetectCodePage(chapter), CodePage::Gbk) << "stored chat counts in full";
}

TEST(TextCodePage, RealRecordsKeepGbkUnlessTheirTextIsNot)
{
    KORVALE_NEED_REAL_RECORDS();
    for (const auto& entry : std::filesystem::directory_iterator(korvale::test::RealRecordsDir())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("aoc10", 0) != 0 || name.find("damaged") != std::string::npos || name.find("headerend0") != std::string::npos)
            continue;
        // A German game's instructions ("Kartengröße: Groß") are the one text of these that GBK cannot hold.
        const std::uint16_t expected = name == "aoc10c_4v4_empty_body.mgx" ? CodePage::WesternEuropean : CodePage::Gbk;
        EXPECT_EQ(LoadRecordFile(entry.path().string()).chapters.front().codePage, expected) << name;
    }
    const GameRecord spanish = LoadRecordFile(korvale::test::RealRecordPath("up15_1v1_mod_postgame.mgz"));
    EXPECT_EQ(spanish.chapters.front().codePage, CodePage::WesternEuropean);
}
