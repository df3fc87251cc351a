// korvale-info is what players script against: its JSON, its options and its exit statuses.
#include "InfoOptions.h"
#include "RealRecords.h"
#include "RecordJson.h"
#include "RecordLoader.h"
#include "RecordWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Mgx::RecordBlueprint;
using Mgx::RecordWriter;

QJsonObject Parse(const std::string& line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    return document.object();
}

class KorvaleInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("korvale-info-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string& name, const RecordBlueprint& blueprint)
    {
        const fs::path path = m_dir / name;
        RecordWriter(blueprint).WriteFile(path);
        return path.string();
    }

    // Runs the program; returns its exit status and standard output.
    static int run(const QStringList& arguments, QByteArray* out = nullptr)
    {
        QProcess process;
        process.start(KORVALE_INFO_PROGRAM, arguments);
        process.waitForFinished(60000);
        if (out)
            *out = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    fs::path m_dir;
};

TEST_F(KorvaleInfo, JsonHoldsEveryFieldWithNullForWhatWasNeverRead)
{
    RecordBlueprint blueprint;
    blueprint.header.instructions = std::string("line one\nline \"two\"\0hidden", 25);
    blueprint.header.slots[1].name = "\xB6\xAB\xB7\xBD"; // 东方 in GBK
    blueprint.body.operations.push_back(Mgx::TimeStep{1500, 0});
    blueprint.body.operations.push_back(Mgx::ChatOperation{"@#1hi"});
    const std::string path = write("a.mgx", blueprint);

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

TEST_F(KorvaleInfo, UnfinishedRecordIsStatusTwoWithItsTextsNull)
{
    RecordBlueprint blueprint;
    blueprint.headerEnd = 0;
    const std::string path = write("unfinished.mgx", blueprint);
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
    const std::string path = write("marks.mgx", blueprint);
    const QJsonObject marks = Parse(RecordJsonLine(path, Mgx::LoadRecordFile(path)))["objectMarks"].toObject();
    EXPECT_EQ(marks["11"].toInt(), 3);
}

TEST(InfoOptions, ParsesFilesAndPictureTargets)
{
    InfoOptions options;
    ASSERT_TRUE(ParseInfoOptions({"--json", "--map-png", "m", "a.mgx", "--", "--panel-png"}, options));
    EXPECT_TRUE(options.json);
    EXPECT_EQ(options.mapPng, "m");
    EXPECT_EQ(options.files, (std::vector<std::string>{"a.mgx", "--panel-png"}));

    InfoOptions bad;
    EXPECT_FALSE(ParseInfoOptions({}, bad));
    EXPECT_FALSE(ParseInfoOptions({"--map-png"}, bad)) << "a picture option needs its path";
    EXPECT_FALSE(ParseInfoOptions({"--frobnicate", "a.mgx"}, bad));
}

TEST(InfoOptions, SeveralRecordsWriteOnePictureEachIntoTheFolder)
{
    EXPECT_EQ(PicturePath("out.png", "/r/a.mgx", false), "out.png");
    EXPECT_EQ(PicturePath("maps", "/r/a.mgx", true), "maps/a.png");
}

TEST_F(KorvaleInfo, ExitStatusSaysWhetherEveryFileLoaded)
{
    const std::string good = write("good.mgx", RecordBlueprint{});
    QByteArray out;
    EXPECT_EQ(run({"--json", QString::fromStdString(good)}, &out), 0);
    EXPECT_EQ(Parse(out.trimmed().toStdString())["status"].toInt(), 1);

    const std::string missing = (m_dir / "missing.mgx").string();
    EXPECT_EQ(run({"--json", QString::fromStdString(good), QString::fromStdString(missing)}, &out), 1);
    const QList<QByteArray> lines = out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(Parse(lines[1].toStdString()).contains("error"));

    EXPECT_EQ(run({"--bogus"}), 2);
    EXPECT_EQ(run({}), 2);
}

TEST_F(KorvaleInfo, WritesMapAndPanelPicturesIntoFoldersForSeveralRecords)
{
    const std::string a = write("a.mgx", RecordBlueprint{});
    const std::string b = write("b.mgx", RecordBlueprint{});
    const fs::path maps = m_dir / "maps";
    const fs::path panels = m_dir / "panels";
    EXPECT_EQ(run({"--map-png", QString::fromStdString(maps.string()), "--panel-png", QString::fromStdString(panels.string()),
                   QString::fromStdString(a), QString::fromStdString(b)}),
              0);
    for (const fs::path& picture : {maps / "a.png", maps / "b.png", panels / "a.png", panels / "b.png"})
        EXPECT_GT(fs::file_size(picture), 1000u) << picture;
}

TEST_F(KorvaleInfo, RealRecordsPrintTheirReadmeValues)
{
    KORVALE_NEED_REAL_RECORDS();
    QByteArray out;
    ASSERT_EQ(run({"--json", QString::fromStdString(korvale::test::RealRecordPath("aoc10c_4v4_2chapters_gbk.mgx"))}, &out), 0);
    const QJsonObject json = Parse(out.trimmed().toStdString());
    EXPECT_EQ(json["nextChapterPos"].toInt(), 613960);
    EXPECT_EQ(json["gameTime"].toInt(), 3179880);
    EXPECT_EQ(json["players"].toArray()[5].toObject()["name"].toString(), QString::fromUtf8("~我来自增城~"));
    EXPECT_EQ(json["pregameChat"].toArray().size(), 33);
    EXPECT_EQ(json["ingameChat"].toArray().size(), 140);
    EXPECT_EQ(json["objectMarks"].toObject()["9"].toInt(), 224);

    EXPECT_EQ(run({"--json", QString::fromStdString(korvale::test::RealRecordPath("aoc10_damaged_header_unknown_version.mgx"))}), 1);
}

} // namespace
