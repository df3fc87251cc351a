#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

// Bytes as a file holds them, written out one by one.
QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

// "a" CR LF "b" CR LF "c" CR LF in UTF-16LE.
const QByteArray kThreeLines = Bytes({'a', 0, 0x0D, 0, 0x0A, 0, 'b', 0, 0x0D, 0, 0x0A, 0, 'c', 0, 0x0D, 0, 0x0A, 0});

GameSettings Settings(const char* folder, const char* exe10a, const char* exe10c)
{
    return {QString::fromUtf8(folder), QString::fromUtf8(exe10a), QString::fromUtf8(exe10c), {}};
}

class ConfigFileTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QByteArray Contents() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("config.ini"));
};

int detectCalls = 0;
GameSettings CountingDetect()
{
    ++detectCalls;
    return Settings("detected", "detected a", "detected c");
}

} // namespace

TEST(ConfigIniText, LinesEndOnlyWhereTheirCrLfIs)
{
    EXPECT_EQ(ParseConfigIni(kThreeLines), Settings("a", "b", "c"));
    // Only the first two lines end with CR LF: the third is empty.
    EXPECT_EQ(ParseConfigIni(kThreeLines.chopped(4)), Settings("a", "b", ""));
    // Two lines of which only the first ends with CR LF.
    EXPECT_EQ(ParseConfigIni(Bytes({'a', 0, 0x0D, 0, 0x0A, 0, 'b', 0})), Settings("a", "", ""));
    // One line without CR LF.
    EXPECT_EQ(ParseConfigIni(Bytes({'a', 0, 'b', 0})), Settings("", "", ""));
    // A CR or an LF alone does not end a line.
    EXPECT_EQ(ParseConfigIni(Bytes({'a', 0, 0x0A, 0, 0x0D, 0, 'b', 0, 0x0D, 0, 0x0A, 0})), Settings("a\n\rb", "", ""));
    // Empty lines are settings too.
    EXPECT_EQ(ParseConfigIni(Bytes({0x0D, 0, 0x0A, 0, 0x0D, 0, 0x0A, 0, 'c', 0, 0x0D, 0, 0x0A, 0})),
              Settings("", "", "c"));
    EXPECT_EQ(ParseConfigIni({}), Settings("", "", ""));
}

TEST(ConfigIniText, TheTextEndsAtItsFirstNulAndKeepsEveryUnitBeforeIt)
{
    // A NUL inside the second line: the rest of the file is not read.
    EXPECT_EQ(ParseConfigIni(Bytes({'a', 0, 0x0D, 0, 0x0A, 0, 'b', 0, 0, 0, 0x0D, 0, 0x0A, 0, 'c', 0, 0x0D, 0, 0x0A, 0})),
              Settings("a", "", ""));
    // The byte-order mark a Windows editor writes is no part of the first line.
    const GameSettings marked = ParseConfigIni(Bytes({0xFF, 0xFE, 'a', 0, 0x0D, 0, 0x0A, 0}));
    EXPECT_EQ(marked.SaveGameFolder, QStringLiteral("a"));
    // An odd last byte is a unit of its own.
    EXPECT_EQ(ParseConfigIni(Bytes({'a', 0, 0x0D, 0, 0x0A, 0, 'b'})), Settings("a", "", ""));
    EXPECT_EQ(ParseConfigIni(Bytes({'a', 0, 0x0D, 0, 0x0A, 0, 'b', 0, 0x0D, 0, 0x0A})).GameExe10a, "b");
    // Chinese text and a lone surrogate come through unit for unit.
    const GameSettings chinese = ParseConfigIni(Bytes({0x38, 0x6E, 0x0F, 0x62, 0x00, 0xD8, 0x0D, 0, 0x0A, 0}));
    EXPECT_EQ(chinese.SaveGameFolder, QStringLiteral("游戏") + QChar(0xD800));
}

TEST(ConfigIniText, SavedBytesAreUtf16LeLinesWithCrLfAndNothingElse)
{
    EXPECT_EQ(ComposeConfigIni(Settings("a", "b", "c")), kThreeLines);
    // Three empty settings are exactly three CR LF pairs.
    EXPECT_EQ(ComposeConfigIni({}), Bytes({0x0D, 0, 0x0A, 0, 0x0D, 0, 0x0A, 0, 0x0D, 0, 0x0A, 0}));
    EXPECT_EQ(ComposeConfigIni(Settings("游戏", "", "")).left(4), Bytes({0x38, 0x6E, 0x0F, 0x62}));
}

TEST_F(ConfigFileTest, AFileThatOpensIsUsedWhateverItHolds)
{
    detectCalls = 0;
    Write({});
    ASSERT_TRUE(LoadConfigIni(path).has_value());
    EXPECT_EQ(*LoadConfigIni(path), Settings("", "", ""));
    // An empty file still counts: the install is not looked for.
    EXPECT_EQ(LoadStartupSettings(path, CountingDetect), Settings("", "", ""));
    EXPECT_EQ(detectCalls, 0);

    Write(Bytes({'a', 0, 0x0D, 0, 0x0A, 0, 0x0D, 0, 0x0A, 0, 'c', 0, 0x0D, 0, 0x0A, 0}));
    EXPECT_EQ(LoadStartupSettings(path, CountingDetect), Settings("a", "", "c"));
    EXPECT_EQ(detectCalls, 0);
}

TEST_F(ConfigFileTest, AFileThatCannotBeReadFallsBackToTheInstall)
{
    detectCalls = 0;
    EXPECT_FALSE(LoadConfigIni(path).has_value());
    EXPECT_EQ(LoadStartupSettings(path, CountingDetect), Settings("detected", "detected a", "detected c"));
    EXPECT_EQ(detectCalls, 1);

    // A folder named config.ini is no file.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("config.ini")));
    EXPECT_FALSE(LoadConfigIni(path).has_value());
}

TEST_F(ConfigFileTest, AFourthLineIsIgnoredAndTheNextSaveDropsIt)
{
    Write(kThreeLines + Bytes({'d', 0, 0x0D, 0, 0x0A, 0}));
    const std::optional<GameSettings> loaded = LoadConfigIni(path);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, Settings("a", "b", "c"));
    ASSERT_TRUE(SaveConfigIni(path, *loaded));
    EXPECT_EQ(Contents(), kThreeLines);
}

TEST_F(ConfigFileTest, AWindowsFileIsReadAndWrittenBackUnchanged)
{
    // D:\游戏\SaveGame, D:\帝国\age2_x1.exe, empty; as Windows writes them.
    QByteArray windows;
    for (const QString& line : {QStringLiteral("D:\\游戏\\SaveGame"), QStringLiteral("D:\\帝国\\age2_x1.exe"), QString()}) {
        for (const QChar unit : line)
            windows.append(Bytes({unit.unicode() & 0xFF, unit.unicode() >> 8}));
        windows.append(Bytes({0x0D, 0, 0x0A, 0}));
    }
    Write(windows);
    const std::optional<GameSettings> loaded = LoadConfigIni(path);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->SaveGameFolder, QStringLiteral("D:\\游戏\\SaveGame"));
    EXPECT_EQ(loaded->GameExe10a, QStringLiteral("D:\\帝国\\age2_x1.exe"));
    EXPECT_TRUE(loaded->GameExe10c.isEmpty());
    ASSERT_TRUE(SaveConfigIni(path, *loaded));
    EXPECT_EQ(Contents(), windows);
}

TEST_F(ConfigFileTest, SavingReplacesTheFileWholeAndCreatesItsFolder)
{
    Write(QByteArray(4000, 'x'));
    ASSERT_TRUE(SaveConfigIni(path, {}));
    EXPECT_EQ(Contents().size(), 12);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("config.ini")});

    const QString nested = folder.filePath(QStringLiteral("Korvale/more/config.ini"));
    ASSERT_TRUE(SaveConfigIni(nested, Settings("a", "b", "c")));
    EXPECT_EQ(LoadConfigIni(nested), Settings("a", "b", "c"));

    // A file where the folder should be: the save fails and the file is untouched.
    const QString blocked = folder.filePath(QStringLiteral("config.ini/config.ini"));
    EXPECT_FALSE(SaveConfigIni(blocked, Settings("a", "b", "c")));
    EXPECT_EQ(Contents().size(), 12);
}

TEST(ConfigIniLocation, TheStartFolderWinsOnlyWhenItHoldsTheFile)
{
    EXPECT_EQ(ConfigIniLocation(QStringLiteral("/games/korvale"), true, QStringLiteral("/home/u/.config/Korvale")),
              QStringLiteral("/games/korvale/config.ini"));
    EXPECT_EQ(ConfigIniLocation(QStringLiteral("/games/korvale"), false, QStringLiteral("/home/u/.config/Korvale")),
              QStringLiteral("/home/u/.config/Korvale/config.ini"));
    EXPECT_EQ(ConfigIniLocation(QStringLiteral("/"), true, QStringLiteral("/cfg")), QStringLiteral("/config.ini"));
}

TEST(SaveGameFolderFromPick, OnlyADriveRootLosesItsBackslash)
{
    EXPECT_EQ(SaveGameFolderFromPick(QStringLiteral("C:\\")), QStringLiteral("C:"));
    EXPECT_EQ(SaveGameFolderFromPick(QStringLiteral("C:\\Games\\SaveGame")), QStringLiteral("C:\\Games\\SaveGame"));
    EXPECT_EQ(SaveGameFolderFromPick(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(SaveGameFolderFromPick(QStringLiteral("/home/u/SaveGame")), QStringLiteral("/home/u/SaveGame"));
}
