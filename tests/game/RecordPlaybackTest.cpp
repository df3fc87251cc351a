// Which game plays a record back: The Conquerors starts with its own records (and UserPatch's);
// for every other game's the player is told which game plays it, naming its release.
#include "ChapterInfo.h"
#include "QtPrinters.h"
#include "RealRecords.h"
#include "RecordError.h"
#include "RecordLoader.h"
#include "RecordPlayback.h"

#include <gtest/gtest.h>

namespace {

using Game = RecordPlayback::Game;

Mgx::ChapterInfo Chapter(const char* versionText, float saveVersion, int logVersion, std::uint16_t settingsVersion = 0)
{
    Mgx::ChapterInfo chapter;
    chapter.versionText = versionText;
    chapter.saveVersion = saveVersion;
    chapter.logVersion = logVersion;
    chapter.settingsVersion = settingsVersion;
    return chapter;
}

TEST(RecordPlayback, TheConquerorsPlaysItsOwnRecordsAndUserPatchsInTheVersionThatWroteThem)
{
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 11.76f, 3)), (RecordPlayback{Game::Conquerors, GameVersion::V10a, {}}));
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 11.76f, 4)), (RecordPlayback{Game::Conquerors, GameVersion::V10c, {}}));
    for (const char* userPatch : {"VER 9.8", "VER 9.D", "VER 9.F"})
        EXPECT_EQ(PlaybackOfChapter(Chapter(userPatch, 11.76f, 4)).game, Game::Conquerors) << userPatch;
    EXPECT_TRUE(PlaybackMessage({Game::Conquerors, GameVersion::V10c, {}}).isEmpty()) << "it starts: nothing to say";
}

TEST(RecordPlayback, EveryHdReleaseIsTheHdEditionsNamingTheReleaseWhereTheHeaderDoes)
{
    const auto hd = [](const char* release) { return RecordPlayback{Game::HdEdition, GameVersion::V10c, QString::fromUtf8(release)}; };
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 12.50f, 4, 1005)), hd("HD 5.x"));
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 12.49f, 4, 1004)), hd("HD 4.8"));
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 12.36f, 4, 1000)), hd("HD 4.6"));
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 12.20f, 4)), hd("HD 4.x"));
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 12.34f, 4)), hd("HD 4.x"));
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 11.97f, 4)), hd("")) << "the first HD releases name none";
    EXPECT_EQ(PlaybackOfChapter(Chapter("VER 9.4", 12.10f, 4)), hd(""));

    EXPECT_EQ(PlaybackMessage(hd("HD 5.x")), QStringLiteral("此录像需用《帝国时代II 高清版》（HD 5.x）播放，无法用征服者 1.0c 打开。"));
    EXPECT_EQ(PlaybackMessage(hd("")), QStringLiteral("此录像需用《帝国时代II 高清版》播放，无法用征服者 1.0c 打开。"));
}

TEST(RecordPlayback, RealHdRecordsNameTheirRelease)
{
    KORVALE_NEED_REAL_RECORDS();
    for (const auto& [file, release] : {std::pair{"hd50_tourney_final_g4.aoe2record", "HD 5.x"},
                                        std::pair{"hd46_sp_replay.aoe2record", "HD 4.6"},
                                        std::pair{"hd420_finals_g4restart.mgx2", "HD 4.x"}, std::pair{"hd1210_test.mgx", ""}}) {
        const Mgx::GameRecord record = Mgx::LoadRecordFile(korvale::test::RealRecordPath(file));
        const RecordPlayback playback = PlaybackOfChapter(record.chapters.front());
        EXPECT_EQ(playback.game, Game::HdEdition) << file;
        EXPECT_EQ(playback.release, QString::fromUtf8(release)) << file;
    }
    const Mgx::GameRecord conquerors = Mgx::LoadRecordFile(korvale::test::RealRecordPath("aoc10c_1v1_arabia.mgx"));
    EXPECT_EQ(PlaybackOfChapter(conquerors.chapters.front()), (RecordPlayback{Game::Conquerors, GameVersion::V10c, {}}));
}

TEST(RecordPlayback, RefusedFilesNameTheGameThatPlaysThem)
{
    using Kind = Mgx::UnsupportedFormatKind;
    const auto refused = [](Kind kind, float save = 11.76f, double definitive = 0, const char* text = "VER 9.4") {
        return PlaybackOfRefusal(Mgx::UnsupportedFormatError(text, save, kind, definitive));
    };

    const RecordPlayback de63 = refused(Kind::DefinitiveEdition, -1.0f, 63.0);
    EXPECT_EQ(de63, (RecordPlayback{Game::DefinitiveEdition, GameVersion::V10c, QStringLiteral("版本 63.0")}));
    EXPECT_EQ(PlaybackMessage(de63), QStringLiteral("此录像需用《帝国时代II 决定版》（版本 63.0）播放，无法用征服者 1.0c 打开。"));
    const RecordPlayback de1297 = refused(Kind::DefinitiveEdition, 12.97f);
    EXPECT_EQ(PlaybackMessage(de1297), QStringLiteral("此录像需用《帝国时代II 决定版》（保存版本 12.97）播放，无法用征服者 1.0c 打开。"));

    const RecordPlayback kings = refused(Kind::AgeOfKings, 10.0f, 0, "VER 9.3");
    EXPECT_EQ(kings.game, Game::AgeOfKings);
    EXPECT_EQ(PlaybackMessage(kings), QStringLiteral("此录像需用《帝国时代II 帝王时代》播放，无法用征服者 1.0c 打开。"));

    const RecordPlayback saved = refused(Kind::HdSavedGame);
    EXPECT_EQ(saved.game, Game::HdSavedGame);
    EXPECT_EQ(PlaybackMessage(saved),
              QStringLiteral("此文件是《帝国时代II 高清版》的存档，不是录像，需在高清版中读取，无法用征服者 1.0c 打开。"));

    EXPECT_EQ(refused(Kind::OtherHdRelease, 12.15f).game, Game::HdEdition);
    for (const Kind unknown : {Kind::Mod, Kind::LaterUserPatch}) {
        EXPECT_EQ(refused(unknown).game, Game::Unknown);
        EXPECT_TRUE(PlaybackMessage(refused(unknown)).isEmpty()) << "the load's own message says what the file is";
    }
}

} // namespace
