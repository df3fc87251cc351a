// korvale-info is what players script against: its text, its JSON, its pictures and its exit statuses.
#include "AlliedHdRecord.h"
#include "BuildPaths.h"
#include "LateHdHeader.h"
#include "ProgramRun.h"
#include "RealRecords.h"
#include "RecordJson.h"
#include "RecordLoader.h"
#include "RecordText.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;
using Mgx::RecordBlueprint;

QJsonObject Parse(const std::string& line) { return korvale::test::ParseJson(QByteArray::fromStdString(line)); }

class KorvaleInfo : public korvale::test::InfoProgramTest {
protected:
    std::string Write(const std::string& name, const RecordBlueprint& blueprint) const
    {
        return InfoProgramTest::Write(name, blueprint).string();
    }

    // Runs the program; returns its exit status and standard output.
    static int Run(const QStringList& arguments, QByteArray* out = nullptr)
    {
        const korvale::test::ProgramRun result = korvale::test::RunInfo(arguments);
        if (out)
            *out = result.out;
        return result.status;
    }
};

const fs::path SamplesDir = korvale::build::BuildPath("samples");

TEST_F(KorvaleInfo, JsonHoldsEveryFieldWithNullForWhatWasNeverRead)
{
    RecordBlueprint blueprint;
    blueprint.header.instructions = std::string("line one\nline \"two\"\0hidden", 25);
    blueprint.header.slots[1].name = "\xB6\xAB\xB7\xBD"; // 东方 in GBK
    blueprint.body.operations.push_back(Mgx::TimeStep{1500, 0});
    blueprint.body.operations.push_back(Mgx::ChatOperation{"@#1hi"});
    const std::string path = Write("a.mgx", blueprint);

    const QJsonObject json = Parse(RecordJsonLine(path, Mgx::LoadRecordFile(path)));
    EXPECT_EQ(json["file"].toString().toStdString(), path);
    EXPECT_EQ(json["status"].toInt(), 1);
    EXPECT_EQ(json["instructions"].toString(), "line one\nline \"two\"") << "text ends at its first NUL";
    EXPECT_EQ(json["slots"].toArray()[1].toObject()["name"].toString(), QString::fromUtf8("东方"));
    const QJsonArray players = json["players"].toArray();
    ASSERT_EQ(players.size(), 9);
    EXPECT_EQ(players[0].toObject()["name"].toString(), "GAIA");
    EXPECT_TRUE(players[3].isNull()) << "a player without a block is null, not an empty entry";
    EXPECT_EQ(json["gameTime"].toInt(), 1500);
    const QJsonArray chat = json["ingameChat"].toArray();
    ASSERT_EQ(chat.size(), 1);
    EXPECT_EQ(chat[0].toObject()["time"].toInt(), 1500);
    EXPECT_EQ(chat[0].toObject()["text"].toString(), "@#1hi");
    for (const char* field : {"headerEnd", "nextChapterPos", "logVersion", "gameType", "mapId", "difficulty", "playerCount",
                              "populationLimit", "revealSetting", "victoryType", "victoryValue", "lockFlag", "gameSpeed",
                              "recorderNumber", "mapWidth", "mapHeight", "scenarioFileName", "pregameChat", "objectMarks"})
        EXPECT_TRUE(json.contains(field)) << field;
}

TEST_F(KorvaleInfo, JsonNamesTheVersionAndALaterFormatInTheUsersWords)
{
    KORVALE_NEED_REAL_RECORDS();
    const std::string upPath = korvale::test::RealRecordPath("up12_trade_4players.mgx");
    const QJsonObject up = Parse(RecordJsonLine(upPath, Mgx::LoadRecordFile(upPath)));
    EXPECT_EQ(up["versionText"].toString(), "VER 9.8");
    EXPECT_DOUBLE_EQ(up["saveVersion"].toDouble(), 11.76);
    EXPECT_EQ(up["populationLimit"].toInt(), 8) << "the stored value, as the model keeps it";
    EXPECT_NE(RecordJsonLine(upPath, Mgx::LoadRecordFile(upPath)).find("\"saveVersion\":11.76,"), std::string::npos);

    const Mgx::UnsupportedFormatError error("VER 9.4", 12.97f, Mgx::UnsupportedFormatKind::DefinitiveEdition);
    const QJsonObject refused = Parse(UnsupportedFormatJsonLine("de.mgx", error));
    EXPECT_EQ(refused["error"].toString(), QString::fromUtf8("此录像来自决定版（保存版本 12.97），暂不支持"));
    EXPECT_EQ(refused["versionText"].toString(), "VER 9.4");
    EXPECT_DOUBLE_EQ(refused["saveVersion"].toDouble(), 12.97);
    const Mgx::UnsupportedFormatError hd("VER 9.4", 12.20f, Mgx::UnsupportedFormatKind::OtherHdRelease);
    EXPECT_EQ(Parse(UnsupportedFormatJsonLine("hd.mgx", hd))["error"].toString(),
              QString::fromUtf8("此录像来自更新版本的游戏（保存版本 12.20），暂不支持"));
}

TEST_F(KorvaleInfo, JsonGivesTheStanceTeamsOfAnHdRecordWhoseLobbyWroteNone)
{
    KORVALE_NEED_REAL_RECORDS();
    const std::string path = (m_dir / "allied.aoe2record").string();
    const std::vector<std::uint8_t> bytes = korvale::test::AlliedHdRecordBytes(korvale::test::RealRecordPath("hd50_tourney_final_g4.aoe2record"));
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    const QJsonObject allied = Parse(RecordJsonLine(path, Mgx::LoadRecordFile(path)));
    EXPECT_TRUE(allied["teamsFromStances"].toBool());
    const QJsonArray slots = allied["slots"].toArray();
    EXPECT_EQ(slots[1].toObject()["team"].toInt(), 2);
    EXPECT_EQ(slots[2].toObject()["team"].toInt(), 2);

    const std::string conquerors = korvale::test::RealRecordPath("aoc10c_4v4_2chapters_gbk.mgx");
    EXPECT_FALSE(Parse(RecordJsonLine(conquerors, Mgx::LoadRecordFile(conquerors))).contains("teamsFromStances"))
        << "the lines of earlier records stay as they were";
}

TEST_F(KorvaleInfo, UnfinishedRecordIsStatusTwoWithItsTextsNull)
{
    RecordBlueprint blueprint;
    blueprint.headerEnd = 0;
    const std::string path = Write("unfinished.mgx", blueprint);
    const QJsonObject json = Parse(RecordJsonLine(path, Mgx::LoadRecordFile(path)));
    EXPECT_EQ(json["status"].toInt(), 2);
    EXPECT_TRUE(json["instructions"].isNull());
    EXPECT_TRUE(json["players"].toArray()[0].isNull());
}

TEST_F(KorvaleInfo, ObjectMarksCountEachCodePresent)
{
    RecordBlueprint blueprint;
    auto& nature = blueprint.header.players[0];
    nature.groups.push_back({0, {}});
    for (const float x : {1.5f, 2.5f, 3.5f}) {
        Mgx::ObjectRecordBlueprint gold;
        gold.x = x;
        gold.y = 4.0f;
        gold.resourceKind = 3;
        nature.groups.back().objects.push_back(gold);
    }
    const std::string path = Write("marks.mgx", blueprint);
    const QJsonObject marks = Parse(RecordJsonLine(path, Mgx::LoadRecordFile(path)))["objectMarks"].toObject();
    EXPECT_EQ(marks["11"].toInt(), 3);
}

TEST_F(KorvaleInfo, ExitStatusSaysWhetherEveryFileLoaded)
{
    const std::string good = Write("good.mgx", RecordBlueprint{});
    QByteArray out;
    EXPECT_EQ(Run({"--json", QString::fromStdString(good)}, &out), 0);
    EXPECT_EQ(Parse(out.trimmed().toStdString())["status"].toInt(), 1);

    const std::string missing = (m_dir / "missing.mgx").string();
    EXPECT_EQ(Run({"--json", QString::fromStdString(good), QString::fromStdString(missing)}, &out), 1);
    const QList<QByteArray> lines = out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(Parse(lines[1].toStdString()).contains("error"));

    EXPECT_EQ(Run({"--bogus"}), 2);
    EXPECT_EQ(Run({}), 2);
}

TEST_F(KorvaleInfo, WritesMapAndPanelPicturesIntoFoldersForSeveralRecords)
{
    const std::string a = Write("a.mgx", RecordBlueprint{});
    const std::string b = Write("b.mgx", RecordBlueprint{});
    const fs::path maps = m_dir / "maps";
    const fs::path panels = m_dir / "panels";
    EXPECT_EQ(Run({"--map-png", QString::fromStdString(maps.string()), "--panel-png", QString::fromStdString(panels.string()),
                   QString::fromStdString(a), QString::fromStdString(b)}),
              0);
    for (const fs::path& picture : {maps / "a.png", maps / "b.png", panels / "a.png", panels / "b.png"})
        EXPECT_GT(fs::file_size(picture), 1000u) << picture;
}

TEST_F(KorvaleInfo, LaterHdRecordsOfBothFamiliesPrintWhatTheyHold)
{
    QStringList files;
    for (const float saveVersion : {12.34f, 12.50f}) {
        Mgx::LateHdGame game = Mgx::LateHdTeamGame(saveVersion, 2, Mgx::LobbyTeams::Written);
        game.mapName = "Highland";
        game.gameSpeed = 200;
        RecordBlueprint blueprint;
        blueprint.header = Mgx::LateHdHeader(game);
        blueprint.body.operations = {Mgx::TimeStep{2500}, Mgx::ChatOperation{"@#2gg"}, Mgx::ResearchCommand(2, Mgx::AgeTechnology::Castle)};
        files << QString::fromStdString(Write("v" + std::to_string(static_cast<int>(saveVersion * 100 + 0.5f)) + ".aoe2record", blueprint));
    }
    QByteArray out;
    ASSERT_EQ(Run(QStringList{"--json"} + files, &out), 0);
    const QList<QByteArray> lines = out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const QJsonObject json = Parse(lines[i].toStdString());
        EXPECT_EQ(json["family"].toString(), i == 0 ? "hdx" : "hdr");
        EXPECT_EQ(json["mapName"].toString(), "Highland");
        EXPECT_EQ(json["settingsVersion"].toInt(), i == 0 ? 0 : 1005);
        EXPECT_EQ(json["gameSpeed"].toInt(), 200);
        EXPECT_EQ(json["gameTime"].toInt(), 2500);
        const QJsonArray players = json["players"].toArray();
        EXPECT_EQ(players[1].toObject()["name"].toString(), QString::fromUtf8("甄子毅"));
        EXPECT_EQ(players[4].toObject()["civilization"].toInt(), 22);
        EXPECT_EQ(json["slots"].toArray()[2].toObject()["team"].toInt(), 3);
        EXPECT_EQ(json["objectMarks"].toObject()["4"].toInt(), i == 0 ? 1 : 2) << "12.50 adds a helper object to each town centre";
        const QJsonArray chat = json["ingameChat"].toArray();
        ASSERT_EQ(chat.size(), 2);
        EXPECT_EQ(chat[0].toObject()["text"].toString(), "@#2gg");
        EXPECT_EQ(chat[1].toObject()["text"].toString(), QString::fromUtf8("@#0 Θεόδωρος 开始升级城堡时代"));
    }
}

TEST_F(KorvaleInfo, RealRecordsPrintTheirReadmeValues)
{
    KORVALE_NEED_REAL_RECORDS();
    QByteArray out;
    ASSERT_EQ(Run({"--json", QString::fromStdString(korvale::test::RealRecordPath("aoc10c_4v4_2chapters_gbk.mgx"))}, &out), 0);
    const QJsonObject json = Parse(out.trimmed().toStdString());
    EXPECT_EQ(json["nextChapterPos"].toInt(), 613960);
    EXPECT_EQ(json["gameTime"].toInt(), 3179880);
    EXPECT_EQ(json["players"].toArray()[5].toObject()["name"].toString(), QString::fromUtf8("~我来自增城~"));
    EXPECT_EQ(json["pregameChat"].toArray().size(), 33);
    EXPECT_EQ(json["ingameChat"].toArray().size(), 140);
    EXPECT_EQ(json["objectMarks"].toObject()["9"].toInt(), 224);

    EXPECT_EQ(Run({"--json", QString::fromStdString(korvale::test::RealRecordPath("aoc10_damaged_header_unknown_version.mgx"))}), 1);
}

TEST_F(KorvaleInfo, JsonEscapesControlCharactersInNamesAndChat)
{
    RecordBlueprint blueprint;
    blueprint.header.players[1].name = "tab\there\x01";
    blueprint.header.slots[1].name = "bell\x07\x1f";
    blueprint.body.operations.push_back(Mgx::ChatOperation{"@#1a\x1b[31mred\r\nb"});
    const std::string path = Write("control.mgx", blueprint);

    const std::string line = RecordJsonLine(path, Mgx::LoadRecordFile(path));
    for (const char c : line)
        ASSERT_GE(static_cast<unsigned char>(c), 0x20u) << "a raw control character breaks JSON Lines: " << line;
    const QJsonObject json = Parse(line);
    EXPECT_EQ(json["players"].toArray()[1].toObject()["name"].toString(), QString("tab\there\x01"));
    EXPECT_EQ(json["slots"].toArray()[1].toObject()["name"].toString(), QString("bell\x07\x1f"));
    EXPECT_EQ(json["ingameChat"].toArray()[0].toObject()["text"].toString(), QString("@#1a\x1b[31mred\r\nb"));
}

TEST_F(KorvaleInfo, TextModePrintsThePanelOfTheSampleRecord)
{
    const fs::path sample = SamplesDir / "4v4_chat_ageups.mgx";
    const korvale::test::ProgramRun result = korvale::test::RunInfo({korvale::test::Arg(sample)});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QStringList lines = QString::fromUtf8(result.out).split('\n');
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(lines[0], "== " + korvale::test::Arg(sample));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("位置1：东方不败｜不列颠｜人类｜队伍 1｜蓝"))) << result.out.toStdString();
    EXPECT_TRUE(lines.contains(QString::fromUtf8("位置5：铁血丹心｜日本｜人类｜队伍 1｜青｜录像者"))) << result.out.toStdString();
    EXPECT_TRUE(lines.contains(QString::fromUtf8("地图：阿拉伯")));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("时长：00:38:12")));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("东方不败: 大家好，准备好了吗？"))) << "GBK chat is printed as UTF-8";
    EXPECT_TRUE(lines.contains(QString::fromUtf8("[00:00:10]小李飞刀: 加油")));
}

TEST_F(KorvaleInfo, TextModeSaysAnUnfinishedRecordCanBeRepaired)
{
    RecordBlueprint blueprint;
    blueprint.headerEnd = 0;
    const std::string path = Write("it's unfinished.mgx", blueprint);
    const std::string text = RecordText(path, Mgx::LoadRecordFile(path));
    EXPECT_NE(text.find("状态 2"), std::string::npos) << text;
    EXPECT_NE(text.find("korvale-info --repair " + ShellWord(path) + "\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("位置1"), std::string::npos) << "the reset captions say nothing here: " << text;
    EXPECT_EQ(ShellWord("/r/it's.mgx"), "'/r/it'\\''s.mgx'");
}

TEST_F(KorvaleInfo, MapPictureOfARecordWithoutMapIsAFailureAndWritesNothing)
{
    RecordBlueprint unfinished;
    unfinished.headerEnd = 0;
    const fs::path path = InfoProgramTest::Write("unfinished.mgx", unfinished);
    const fs::path picture = m_dir / "map.png";
    const korvale::test::ProgramRun result = korvale::test::RunInfo({"--map-png", korvale::test::Arg(picture), korvale::test::Arg(path)});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("no map to draw")) << result.err.toStdString();
    EXPECT_FALSE(fs::exists(picture));
}

// A shell glob puts records where a picture path belongs: `--map-png *.mgx`.
TEST_F(KorvaleInfo, PicturesNeverReplaceARecordOrAnyFileThatIsNoPicture)
{
    using korvale::test::Arg;
    const fs::path a = InfoProgramTest::Write("a.mgx", RecordBlueprint{});
    const fs::path b = InfoProgramTest::Write("b.mgx", RecordBlueprint{});
    const std::vector<std::uint8_t> recordA = korvale::test::FileBytes(a), recordB = korvale::test::FileBytes(b);
    const fs::path notes = m_dir / "notes.txt";
    std::ofstream(notes) << "the player's notes";

    for (const QStringList& arguments : {QStringList{"--map-png", Arg(a), Arg(b)},
                                         QStringList{"--panel-png=" + Arg(b), Arg(b)},
                                         QStringList{"--map-png", Arg(notes), Arg(a)}}) {
        const korvale::test::ProgramRun result = korvale::test::RunInfo(arguments);
        EXPECT_EQ(result.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains("will not write a picture over")) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << "refused before anything is read";
    }
    EXPECT_EQ(korvale::test::FileBytes(a), recordA);
    EXPECT_EQ(korvale::test::FileBytes(b), recordB);
    EXPECT_EQ(korvale::test::FileBytes(notes).size(), 18u);

    // An earlier picture is replaced as before.
    const fs::path picture = m_dir / "a.png";
    EXPECT_EQ(korvale::test::RunInfo({"--map-png", Arg(picture), Arg(a)}).status, 0);
    ASSERT_GT(fs::file_size(picture), 1000u);
    EXPECT_EQ(korvale::test::RunInfo({"--map-png", Arg(picture), Arg(a)}).status, 0);
}

} // namespace
