#include "PanelTestSupport.h"

#include "GeneralPage.h"
#include "InfoContainer.h"
#include "MapContainer.h"
#include "MgxInfoDlgBar.h"
#include "NameTables.h"
#include "RealRecords.h"
#include "TemporaryFolder.h"
#include "RecordLoader.h"
#include "ScriptedPrompt.h"
#include "ShowInfo.h"
#include "TeamLabel.h"
#include "TerrainPic.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// What the panel must show for one real record (values from the records' own description).
struct ExpectedPanel {
    const char* file;
    std::array<const char*, 10> labels; // game type, map, map type, size, speed, difficulty, population, victory, duration, version
    std::array<const char*, 8> names;
    std::array<const char*, 8> civilizations;
    std::array<const char*, 8> teams;
    std::array<int, 8> colours; // -1: empty position
    int recorderPosition;
    int chatLines;
    std::array<const char*, 2> chatLinesAfterSeparator;
};

const ExpectedPanel Records[] = {
    {"aoc10a_4v4_arabia_gbk.mgx",
     {"游戏类型：随机地图", "地图：阿拉伯", "地图类型：标准", "地图大小：220x220", "游戏速度：标准", "难度：标准",
      "人口上限：200", "胜利条件：征服", "时长：00:53:55", "版本：1.0a"},
     {"D55_JAVA比赛", "D5_猥琐教徒", "D7双清", "D5_火锅(股股）", "幻彩d4", "D6_可惜不是你", "D4棒棒鱻打妖怪*", "D7-蒙古博"},
     {"中国", "匈奴", "中国", "匈奴", "法国", "波斯", "凯尔特", "蒙古"},
     {"1", "2", "2", "1", "1", "2", "2", "1"},
     {0, 1, 2, 3, 4, 5, 6, 7},
     0,
     // 109 in-game entries, 62 of them the game's own "--" notices.
     2 + 47 - 11, // 11 age-ups the record repeats within their second
     {"[00:08:08] D7-蒙古博 开始升级封建时代", "[00:08:23] D5_猥琐教徒 开始升级封建时代"}},
    {"aoc10a_1v1_team_spectators.mgx",
     {"游戏类型：随机地图", "地图：阿拉伯", "地图类型：标准", "地图大小：120x120", "游戏速度：标准", "难度：标准",
      "人口上限：200", "胜利条件：征服", "时长：00:28:00", "版本：1.0a"},
     {"_CNC_575_雨神~", "CNC475阳阳娱乐", "CNC-4.5特菜", "CNC_5.0冷月无声", "CNC_4.75老土豆", "_CNC_6.75鸭子",
      "_CNC_5.25_茶王", ""},
     {"中国", "匈奴", "中国", "匈奴", "匈奴", "匈奴", "匈奴", ""},
     {"1", "--", "1", "5", "5", "--", "2", "--"},
     {0, 5, 0, 5, 5, 5, 5, -1},
     1,
     11 + 2 + 81 - 19 - 13, // 13 repeated resignations and age-ups
     {"[00:04:51]_CNC_6.75鸭子: 太弱了", "[00:04:52]_CNC_6.75鸭子: 11"}},
    {"aoc10a_sp_vs_4ai_teams_short.mgx",
     {"游戏类型：随机地图", "地图：阿拉伯", "地图类型：标准", "地图大小：200x200", "游戏速度：标准", "难度：标准",
      "人口上限：200", "胜利条件：征服", "时长：00:00:38", "版本：1.0a"},
     {"BG4QAF", "撒尼族人康拉德", "齐谷德", "雅齐帖基特皇帝", "Yi Song-kye", "", "", ""},
     {"土耳其", "条顿", "维京", "波斯", "朝鮮", "", "", ""},
     {"1", "1", "2", "--", "2", "--", "--", "--"},
     {0, 1, 2, 3, 4, -1, -1, -1},
     0,
     2,
     {nullptr, nullptr}},
    {"aoc10c_1v1_regicide.mgx",
     {"游戏类型：弑君", "地图：定制", "地图类型：定制", "地图大小：120x120", "游戏速度：标准", "难度：标准",
      "人口上限：200", "胜利条件：征服", "时长：00:22:21", "版本：1.0c"},
     {"DreaIVIS", "VIK_dfs", "TheViper", "[TyRanT]_DauT_", "Tsu_NilPferD", "", "", ""},
     {"玛雅", "玛雅", "玛雅", "玛雅", "玛雅", "", "", ""},
     {"--", "--", "--", "--", "--", "--", "--", "--"},
     {1, 3, 1, 3, 1, -1, -1, -1},
     0,
     7 + 2 + 18 - 3, // 3 age-ups repeated within their second
     {"[00:04:39] VIK_dfs 开始升级封建时代", "[00:04:40] DreaIVIS 开始升级封建时代"}},
    {"aoc10c_4v4_2chapters_gbk.mgx",
     {"游戏类型：随机地图", "地图：阿拉伯", "地图类型：标准", "地图大小：220x220", "游戏速度：快速", "难度：标准",
      "人口上限：200", "胜利条件：标准", "时长：00:52:59", "版本：1.0c"},
     {"天涯", "阿里", "萝卜3V3", "建总5.75", "~我来自增城~", "刀二", "沙漠皇帝", "一叶知秋"},
     {"波斯", "西班牙", "法国", "阿兹特克", "玛雅", "匈奴", "维京", "凯尔特"},
     {"1", "1", "1", "2", "2", "1", "2", "2"},
     {0, 1, 2, 3, 4, 5, 6, 7},
     7,
     33 + 2 + 140 - 63 - 18, // 18 repeated resignations and age-ups
     {"[00:00:44]<All>~我来自增城~: 24", "[00:00:54]~我来自增城~: ."}},
};

const char* const LabelNames[] = {"gameTypeLabel", "mapLabel",        "mapTypeLabel",    "mapSizeLabel",
                                  "speedLabel",    "difficultyLabel", "populationLabel", "victoryLabel",
                                  "durationLabel", "versionLabel"};

class ShowInfoTest : public korvale::test::PanelTest {
protected:
    QString Label(const char* name) const { return Child<QLabel>(QString::fromLatin1(name))->text(); }
    QString SlotControl(const char* kind, int position) const
    {
        return QString::fromLatin1(kind) + QString::number(position);
    }
    QListWidget& Chat() const { return *Child<QListWidget>(QStringLiteral("chatList")); }
    QPoint Eye() const { return Child(QStringLiteral("recorderMarker"))->pos(); }
    InfoContainer& Pane() const { return bar.Container(); }
    MapContainer& Map() const { return Pane().GetGeneralPage().GetMapContainer(); }

    void Show(const Mgx::GameRecord& record) { Mgx::ShowInfo(&record, Pane(), prompt); }

    void ExpectResetState() const
    {
        for (const char* name : LabelNames)
            EXPECT_TRUE(Label(name).endsWith(QStringLiteral("："))) << name << ": " << Label(name).toStdString();
        EXPECT_EQ(Child<QPlainTextEdit>(QStringLiteral("objectivesBox"))->toPlainText(), "游戏目标");
        EXPECT_EQ(Chat().count(), 0);
        EXPECT_EQ(Child<QLineEdit>(QStringLiteral("nameBox0"))->text(), "");
        EXPECT_EQ(Child<TeamLabel>(QStringLiteral("teamLabel0"))->Colour(), QColor(192, 192, 192));
        EXPECT_EQ(Eye(), QPoint(67, 285));
    }

    ScriptedPrompt prompt;
};

Mgx::GameRecord LoadReal(const char* name) { return Mgx::LoadRecordFile(korvale::test::RealRecordPath(name)); }

std::vector<char> FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A copy of the record whose first field the game left at zero, in a folder of its own.
class DamagedCopy {
public:
    DamagedCopy()
    {
        std::filesystem::copy_file(korvale::test::RealRecordPath("aoc10a_4v4_headerend0.mgx"), Path(),
                                   std::filesystem::copy_options::overwrite_existing);
    }

    std::filesystem::path Path() const { return m_folder / "damaged.mgx"; }
    std::filesystem::path Backup() const { return m_folder / "damaged.mgx.bak"; }

private:
    korvale::test::TemporaryFolder m_folder;
};

} // namespace

TEST_F(ShowInfoTest, RealRecordsShowEveryLabelSlotAndChatLine)
{
    KORVALE_NEED_REAL_RECORDS();
    for (const ExpectedPanel& expected : Records) {
        SCOPED_TRACE(expected.file);
        const Mgx::GameRecord record = LoadReal(expected.file);
        Show(record);

        for (std::size_t i = 0; i < std::size(LabelNames); ++i)
            EXPECT_EQ(Label(LabelNames[i]), QString::fromUtf8(expected.labels[i])) << LabelNames[i];
        EXPECT_TRUE(Child<QPlainTextEdit>(QStringLiteral("objectivesBox"))
                        ->toPlainText()
                        .startsWith(QString::fromUtf8(expected.file) + QStringLiteral("\n\n")));

        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE(i);
            const auto u = static_cast<std::size_t>(i);
            EXPECT_EQ(Child<QLineEdit>(SlotControl("nameBox", i))->text(), QString::fromUtf8(expected.names[u]));
            EXPECT_EQ(Child<QLabel>(SlotControl("civLabel", i))->text(), QString::fromUtf8(expected.civilizations[u]));
            const auto* team = Child<TeamLabel>(SlotControl("teamLabel", i));
            EXPECT_EQ(team->text(), QString::fromUtf8(expected.teams[u]));
            const int colour = expected.colours[u];
            EXPECT_EQ(team->Colour().rgb(), colour < 0 ? qRgb(192, 192, 192) : PlayerColours[static_cast<std::size_t>(colour)]);
            EXPECT_EQ(Child<QLabel>(SlotControl("emblem", i))->pixmap().isNull(), colour < 0);
            EXPECT_EQ(Child<QLabel>(SlotControl("kindPicture", i))->pixmap().isNull(), colour < 0);
        }
        const int r = expected.recorderPosition;
        EXPECT_EQ(Eye(), QPoint(58 + 194 * (r / 4), 10 + 49 * (r % 4)));

        ASSERT_EQ(Chat().count(), expected.chatLines);
        QStringList lines;
        for (int i = 0; i < Chat().count(); ++i)
            lines << Chat().item(i)->text();
        const qsizetype at = lines.indexOf(QStringLiteral("============游戏开始=========="));
        ASSERT_GE(at, 1);
        EXPECT_EQ(lines[at - 1], "");
        for (std::size_t i = 0; i < 2 && expected.chatLinesAfterSeparator[i]; ++i)
            EXPECT_EQ(lines[at + 1 + static_cast<qsizetype>(i)], QString::fromUtf8(expected.chatLinesAfterSeparator[i]));
    }
}

TEST_F(ShowInfoTest, PregameChatComesFirstWithoutItsPrefix)
{
    KORVALE_NEED_REAL_RECORDS();
    Show(LoadReal("aoc10c_4v4_empty_body.mgx"));
    ASSERT_EQ(Chat().count(), 9);
    EXPECT_EQ(Chat().item(0)->text(), "_Kamil_: if thats what u want to believe");
    EXPECT_EQ(Chat().item(1)->text(), "RoR_xFictionx: retards");
    EXPECT_EQ(Chat().item(7)->text(), "");
    EXPECT_EQ(Chat().item(8)->text(), "============游戏开始==========");
}

TEST_F(ShowInfoTest, PicturesAreTheEmblemOfColourAndCivilizationAndTheKind)
{
    KORVALE_NEED_REAL_RECORDS();
    Show(LoadReal("aoc10a_sp_vs_4ai_teams_short.mgx"));
    const auto picture = [this](const char* name, int position) {
        return Child<QLabel>(SlotControl(name, position))->pixmap().toImage();
    };
    // Slot 2: a computer player, red (colour 1), Teutons (civilization 4): emblem 18 + 4 - 1.
    EXPECT_EQ(picture("emblem", 1), QPixmap(QStringLiteral(":/emblems/emblem-021.png")).toImage());
    EXPECT_EQ(picture("kindPicture", 1), QPixmap(QStringLiteral(":/kinds/kind-3.png")).toImage());
    // Slot 5: cyan (colour 4), Koreans (civilization 18): the last emblem of its colour.
    EXPECT_EQ(picture("emblem", 4), QPixmap(QStringLiteral(":/emblems/emblem-089.png")).toImage());
    EXPECT_EQ(picture("kindPicture", 0), QPixmap(QStringLiteral(":/kinds/kind-1.png")).toImage());
    EXPECT_FALSE(Child<QLabel>(QStringLiteral("recorderMarker"))->pixmap().isNull());
}

TEST_F(ShowInfoTest, TheMapOfTheRecordGoesToThePicture)
{
    KORVALE_NEED_REAL_RECORDS();
    Show(LoadReal("aoc10a_4v4_arabia_gbk.mgx"));
    // A 220 x 220 map makes a diamond of 311 x 154 pixels.
    EXPECT_EQ(Map().Picture()->TerrainImage().size(), QSize(311, 154));
}

// The panel shows nothing of a record it cannot show, least of all the map of the one before.
TEST_F(ShowInfoTest, ADamagedRecordAfterAGoodOneResetsTheTextsAndTheMap)
{
    KORVALE_NEED_REAL_RECORDS();
    Show(LoadReal("aoc10a_4v4_arabia_gbk.mgx"));
    const QImage goodMap = Map().grab().toImage();
    ASSERT_FALSE(Map().Picture()->TerrainImage().isNull());

    Show(LoadReal("aoc10a_4v4_headerend0.mgx")); // the prompt answers No
    ASSERT_EQ(prompt.Questions().size(), 1);
    ExpectResetState();
    EXPECT_TRUE(Map().Picture()->TerrainImage().isNull());
    EXPECT_NE(Map().grab().toImage(), goodMap);

    Show(LoadReal("aoc10a_4v4_arabia_gbk.mgx"));
    Mgx::ShowInfo(nullptr, Pane(), prompt);
    EXPECT_TRUE(Map().Picture()->TerrainImage().isNull());
}

TEST_F(ShowInfoTest, RepairAnsweredYesRepairsAndReports)
{
    KORVALE_NEED_REAL_RECORDS();
    const DamagedCopy copy;
    const std::vector<char> original = FileBytes(copy.Path());
    const Mgx::GameRecord record = Mgx::LoadRecordFile(copy.Path().string());
    ASSERT_EQ(record.chapters.front().status, Mgx::ChapterInfo::HeaderEndMissing);

    prompt.AnswerNext(true);
    Show(record);

    EXPECT_EQ(prompt.Questions(),
              QStringList{QStringLiteral("此录像文件可能内容残缺或非录像文件，是否现在按照录像文件格式进行修复？\n修复时原文件将自动备份。")});
    ASSERT_EQ(prompt.Messages().size(), 1);
    EXPECT_EQ(prompt.Messages()[0].kind, UserPrompt::MessageKind::Plain);
    EXPECT_EQ(prompt.Messages()[0].text,
              QStringLiteral("修复成功!原文件备份保存为:\r\n") + QString::fromStdString(copy.Backup().string()));
    ExpectResetState();

    EXPECT_EQ(FileBytes(copy.Backup()), original);
    const std::vector<char> repaired = FileBytes(copy.Path());
    ASSERT_EQ(repaired.size(), original.size());
    std::int32_t headerEnd = 0;
    std::memcpy(&headerEnd, repaired.data(), sizeof headerEnd);
    EXPECT_EQ(headerEnd, 298558);
    EXPECT_TRUE(std::equal(repaired.begin() + 4, repaired.end(), original.begin() + 4));

    const Mgx::GameRecord again = Mgx::LoadRecordFile(copy.Path().string());
    EXPECT_EQ(again.chapters.front().status, Mgx::ChapterInfo::Read);
    EXPECT_EQ(again.chapters.front().logVersion, 3);
}

TEST_F(ShowInfoTest, RepairAnsweredNoLeavesTheFileAlone)
{
    KORVALE_NEED_REAL_RECORDS();
    const DamagedCopy copy;
    const std::vector<char> original = FileBytes(copy.Path());
    prompt.AnswerNext(false);
    Show(Mgx::LoadRecordFile(copy.Path().string()));

    EXPECT_EQ(prompt.Questions().size(), 1);
    EXPECT_TRUE(prompt.Messages().isEmpty());
    EXPECT_EQ(FileBytes(copy.Path()), original);
    EXPECT_FALSE(std::filesystem::exists(copy.Backup()));
    ExpectResetState();
}

TEST_F(ShowInfoTest, RecordsWithNothingToShowLeaveTheResetStateAndAskNothing)
{
    KORVALE_NEED_REAL_RECORDS();
    const Mgx::GameRecord good = LoadReal("aoc10c_1v1_arabia.mgx");

    Show(good);
    Mgx::ShowInfo(nullptr, Pane(), prompt);
    ExpectResetState();

    Show(good);
    Show(Mgx::GameRecord()); // an empty file: no chapter
    ExpectResetState();

    Mgx::GameRecord building;
    building.chapters.emplace_back();
    Show(good);
    Show(building);
    ExpectResetState();

    EXPECT_TRUE(prompt.Questions().isEmpty());
    EXPECT_TRUE(prompt.Messages().isEmpty());
}

TEST_F(ShowInfoTest, TheEyeIsReckonedFromThePlayerPageTopInForce)
{
    KORVALE_NEED_REAL_RECORDS();
    const Mgx::GameRecord record = LoadReal("aoc10c_4v4_2chapters_gbk.mgx"); // recorded by slot 8
    Show(record);
    EXPECT_EQ(Eye(), QPoint(252, 157));

    Pane().ToggleCollapsed();
    Show(record);
    EXPECT_EQ(Eye(), QPoint(252, 330 - 67 + 49 * 3));

    Pane().ToggleCollapsed();
    EXPECT_EQ(Eye(), QPoint(252, 330 - 67 + 49 * 3)); // moves only when a record is shown
}

TEST_F(ShowInfoTest, InTheLargeMapModeDurationAndVersionStayHidden)
{
    KORVALE_NEED_REAL_RECORDS();
    Map().ToggleMode();
    Show(LoadReal("aoc10a_4v4_arabia_gbk.mgx"));
    EXPECT_FALSE(Child(QStringLiteral("durationLabel"))->isVisibleTo(&Pane()));
    EXPECT_FALSE(Child(QStringLiteral("versionLabel"))->isVisibleTo(&Pane()));
    EXPECT_EQ(Label("durationLabel"), "时长：00:53:55");
    Map().ToggleMode();
    EXPECT_TRUE(Child(QStringLiteral("durationLabel"))->isVisibleTo(&Pane()));
}

TEST_F(ShowInfoTest, SettingsComeFromTheFirstChapterTheMapFromTheLast)
{
    Mgx::ChapterInfo first = korvale::test::ReadChapter();
    first.mapWidth = first.mapHeight = 10;
    first.terrain.assign(10 * 10 * 2, 0);
    first.objectMarks.assign(10 * 10, 0);
    first.gameTime = 1000;
    Mgx::ChapterInfo last = korvale::test::ReadChapter();
    last.mapWidth = last.mapHeight = 200;
    last.terrain.assign(200 * 200 * 2, 1);
    last.objectMarks.assign(200 * 200, 0);
    last.gameTime = 2000;
    Mgx::GameRecord record;
    record.chapters = {first, last};

    Show(record);
    EXPECT_EQ(Label("mapSizeLabel"), "地图大小：10x10");
    EXPECT_EQ(Label("durationLabel"), "时长：00:00:03");
    EXPECT_EQ(Map().Picture()->TerrainImage().size(), QSize(282, 140));
    EXPECT_EQ(Chat().count(), 4);
}
