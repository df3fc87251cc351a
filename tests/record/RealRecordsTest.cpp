// Every real record the game wrote, read exactly: the values a correct reader finds in each.
#include "RealRecords.h"
#include "MarkCode.h"
#include "RecordError.h"
#include "RecordLoader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using korvale::test::RealRecordPath;

struct Settings {
    std::int32_t headerEnd, nextChapterPos, logVersion;
    int gameType, mapId;
    std::uint32_t width, height;
    int gameSpeed, difficulty, populationLimit, victoryType, revealSetting, lockFlag;
    int playerCount, recorderNumber;
    std::int32_t gameTime;
};

struct Player {
    int index;
    std::string name; // GBK bytes
    int civilization, colour, kind;
};

struct Slot {
    int index;
    std::string name;
    int playerNumber, team;
};

struct ChatLine {
    std::int32_t time;
    std::string text;
};

struct Expected {
    std::string file;
    Settings settings;
    std::vector<Player> players;
    std::vector<Slot> slots;
    std::size_t instructionsBytes;
    std::size_t pregameLines, ingameLines, resignLines, ageUpLines;
    std::vector<ChatLine> firstLines;
    std::map<int, int> marks;
    // The header's version; The Conquerors' records, the first entries, leave these as they are.
    std::string scenarioFileName = "";
    std::string versionText = "VER 9.4";
    float saveVersion = 11.76f;
};


// Values from the folder's README, names converted to GBK bytes.
const std::vector<Expected>& ExpectedRecords()
{
    static const std::vector<Expected> records = {
#include "RealRecordsExpected.inc"
    };
    return records;
}

// Names and chat are stored with their trailing NUL; the README leaves it out.
std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }
std::string UpToNul(const Mgx::GbkText& text) { return text ? UpToNul(*text) : std::string("<never read>"); }

void PrintTo(const Expected& expected, std::ostream* out) { *out << expected.file; }

std::size_t CountEndingWith(const std::vector<Mgx::ChatInGame>& chat, const std::string& suffix, bool ageUp)
{
    std::size_t count = 0;
    for (const auto& line : chat) {
        const bool isEvent = line.text.rfind(ageUp ? "@#0 " : "@#", 0) == 0;
        const std::string text = UpToNul(line.text);
        if (isEvent && text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
            ++count;
    }
    return count;
}

std::map<int, int> CountMarks(const std::vector<std::uint8_t>& marks)
{
    std::map<int, int> counts;
    for (const std::uint8_t mark : marks)
        if (mark != Mgx::MarkCode::None)
            ++counts[mark];
    return counts;
}

class RealRecord : public ::testing::TestWithParam<Expected> {};

TEST_P(RealRecord, ReadsEveryValue)
{
    KORVALE_NEED_REAL_RECORDS();
    const Expected& e = GetParam();
    const Mgx::GameRecord record = Mgx::LoadRecordFile(RealRecordPath(e.file));
    ASSERT_EQ(record.chapters.size(), 1u);
    EXPECT_EQ(record.fileName, e.file);
    const Mgx::ChapterInfo& c = record.chapters.front();
    const Settings& s = e.settings;

    EXPECT_EQ(c.status, Mgx::ChapterInfo::Read);
    EXPECT_EQ(c.headerEnd, s.headerEnd);
    EXPECT_EQ(c.nextChapterPos, s.nextChapterPos);
    EXPECT_EQ(c.logVersion, s.logVersion);
    EXPECT_EQ(c.gameType, s.gameType);
    EXPECT_EQ(c.mapId, s.mapId);
    EXPECT_EQ(c.mapWidth, s.width);
    EXPECT_EQ(c.mapHeight, s.height);
    EXPECT_EQ(c.gameSpeed, s.gameSpeed);
    EXPECT_EQ(c.difficulty, s.difficulty);
    EXPECT_EQ(c.populationLimit, s.populationLimit);
    EXPECT_EQ(c.victoryType, s.victoryType);
    EXPECT_EQ(c.revealSetting, s.revealSetting);
    EXPECT_EQ(c.lockFlag, s.lockFlag);
    EXPECT_EQ(c.playerCount, s.playerCount);
    EXPECT_EQ(c.recorderNumber, s.recorderNumber);
    EXPECT_EQ(c.gameTime, s.gameTime);
    EXPECT_EQ(c.terrain.size(), std::size_t{s.width} * s.height * 2);

    for (const Player& p : e.players) {
        SCOPED_TRACE("player " + std::to_string(p.index));
        const Mgx::PlayerInfo& player = c.players[static_cast<std::size_t>(p.index)];
        EXPECT_EQ(UpToNul(player.name), p.name);
        EXPECT_EQ(player.civilization, p.civilization);
        EXPECT_EQ(player.colour, p.colour);
        EXPECT_EQ(player.kind, p.kind);
    }
    for (std::size_t p = static_cast<std::size_t>(s.playerCount); p < c.players.size(); ++p)
        EXPECT_FALSE(c.players[p].Filled()) << "player " << p << " was never walked";

    std::vector<bool> occupied(9, false);
    for (const Slot& expected : e.slots) {
        SCOPED_TRACE("slot " + std::to_string(expected.index));
        const Mgx::PlayerSlot& slot = c.slots[static_cast<std::size_t>(expected.index)];
        occupied[static_cast<std::size_t>(expected.index)] = true;
        EXPECT_EQ(UpToNul(slot.name), expected.name);
        EXPECT_EQ(slot.playerNumber, expected.playerNumber);
        EXPECT_EQ(slot.team, expected.team);
    }
    for (std::size_t k = 1; k < occupied.size(); ++k) {
        if (!occupied[k]) {
            EXPECT_EQ(c.slots[k].playerNumber, 0) << "slot " << k << " should be empty";
        }
    }

    EXPECT_EQ(c.versionText, e.versionText);
    EXPECT_NEAR(c.saveVersion, e.saveVersion, 0.005f);
    ASSERT_TRUE(c.scenarioFileName.has_value());
    EXPECT_EQ(UpToNul(*c.scenarioFileName), e.scenarioFileName);
    ASSERT_TRUE(c.instructions.has_value());
    EXPECT_EQ(c.instructions->size(), e.instructionsBytes);

    EXPECT_EQ(c.pregameChat.size(), e.pregameLines);
    EXPECT_EQ(c.ingameChat.size(), e.ingameLines);
    EXPECT_EQ(CountEndingWith(c.ingameChat, "\xCD\xB6\xBD\xB5", false), e.resignLines);
    EXPECT_EQ(CountEndingWith(c.ingameChat, "\xCA\xB1\xB4\xFA", true), e.ageUpLines);
    for (std::size_t i = 0; i < e.firstLines.size() && i < c.ingameChat.size(); ++i) {
        EXPECT_EQ(c.ingameChat[i].time, e.firstLines[i].time) << "line " << i;
        EXPECT_EQ(UpToNul(c.ingameChat[i].text), e.firstLines[i].text) << "line " << i;
    }
    EXPECT_EQ(CountMarks(c.objectMarks), e.marks);
}

INSTANTIATE_TEST_SUITE_P(GameWritten, RealRecord, ::testing::ValuesIn(ExpectedRecords()),
                         [](const auto& info) {
                             std::string name = info.param.file.substr(0, info.param.file.find('.'));
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(RealRecordDamaged, UnknownVersionHeaderFailsAtTheSkipThatLeavesTheBlock)
{
    KORVALE_NEED_REAL_RECORDS();
    try {
        Mgx::LoadRecordFile(RealRecordPath("aoc10_damaged_header_unknown_version.mgx"));
        FAIL() << "the load should fail";
    } catch (const Mgx::HeaderError& error) {
        EXPECT_EQ(error.Position(), 156340);
        EXPECT_NE(std::string(error.what()).find("skip of 107940 bytes"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("162487"), std::string::npos) << error.what();
    }
}

TEST(RealRecordDamaged, HeaderEndZeroGivesOneUnreadChapter)
{
    KORVALE_NEED_REAL_RECORDS();
    const Mgx::GameRecord record = Mgx::LoadRecordFile(RealRecordPath("aoc10a_4v4_headerend0.mgx"));
    ASSERT_EQ(record.chapters.size(), 1u);
    const Mgx::ChapterInfo& c = record.chapters.front();
    EXPECT_EQ(c.status, Mgx::ChapterInfo::HeaderEndMissing);
    EXPECT_FALSE(c.instructions.has_value());
    EXPECT_FALSE(c.scenarioFileName.has_value());
    EXPECT_TRUE(c.terrain.empty());
    EXPECT_EQ(c.logVersion, 0);
    for (const auto& slot : c.slots)
        EXPECT_FALSE(slot.name.has_value());
}

} // namespace
