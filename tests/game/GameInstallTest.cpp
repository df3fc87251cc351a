#include "GameInstall.h"
#include "SystemReg.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Utf16Z(const QString& text)
{
    QByteArray bytes;
    for (const QChar unit : text) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    return bytes.append(2, '\0');
}

// A registry file as Wine writes it: escaped backslashes in keys and strings, typed values, a
// hex value over several lines.
const QByteArray kSystemReg = R"(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win32

[Software\\Microsoft\\Microsoft Games\\Age of Empires II: The Conquerors Expansion] 1700000000
#time=1da0000000000000
"Other"="X:\\Elsewhere"

[Software\\Microsoft\\Microsoft Games\\Age of Empires II: The Conquerors Expansion\\1.0] 1700000000
#time=1da0000000000000
@="default"
"Count"=dword:0000012c
"EXE Path"="C:\\Program Files\\Microsoft Games\\Age of Empires II"
"Expand"=str(2):"%SystemRoot%\\x"
"Multi"=str(7):"one\0two\0"
"Hex"=hex(7):6f,00,6e,00,65,00,00,00,74,00,\
  77,00,6f,00,00,00,00,00
"Quoted"="say \"hi\" \x6e38\x620f\t"

[Software\\Tricky\\Key\]Name] 1700000000
"v"="w"
)";

std::optional<QString> StringAt(const QString& key, const QString& name)
{
    const std::optional<RegistryValue> value = FindSystemRegValue(kSystemReg, key, name);
    if (!value || value->type != RegistryValue::String)
        return std::nullopt;
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(value->data.constData()), value->data.size() / 2 - 1);
}

RegistryValue StringValue(const QString& text, quint32 type = RegistryValue::String) { return {type, Utf16Z(text)}; }

// A Wine prefix in a temporary folder, with a drive C and whatever system.reg the test writes.
class WinePrefixTest : public ::testing::Test {
protected:
    WinePrefixTest() { EXPECT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("drive_c/Games/AOE2/SaveGame"))); }

    void WriteSystemReg(const QByteArray& text)
    {
        QFile file(prefix.filePath(QStringLiteral("system.reg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    void WriteInstall(const QByteArray& section, const QByteArray& value)
    {
        WriteSystemReg("WINE REGISTRY Version 2\n\n[" + section + "] 1700000000\n\"EXE Path\"=" + value + "\n");
    }

    QString Path(const QString& relative) const { return QDir(prefix.path()).filePath(relative); }

    QTemporaryDir prefix;
};

const QByteArray kKey = R"(Software\\Microsoft\\Microsoft Games\\Age of Empires II: The Conquerors Expansion\\1.0)";
const QByteArray kKey32 =
    R"(Software\\Wow6432Node\\Microsoft\\Microsoft Games\\Age of Empires II: The Conquerors Expansion\\1.0)";

} // namespace

TEST(SystemReg, FindsValuesUnderEscapedKeysWithoutRegardToCase)
{
    EXPECT_EQ(StringAt(GameInstallKey::path, QStringLiteral("EXE Path")),
              QStringLiteral("C:\\Program Files\\Microsoft Games\\Age of Empires II"));
    EXPECT_EQ(StringAt(GameInstallKey::path.toUpper(), QStringLiteral("exe path")),
              QStringLiteral("C:\\Program Files\\Microsoft Games\\Age of Empires II"));
    EXPECT_EQ(StringAt(GameInstallKey::path, QString()), QStringLiteral("default"));
    EXPECT_EQ(StringAt(GameInstallKey::path, QStringLiteral("Quoted")), QStringLiteral("say \"hi\" 游戏\t"));
    EXPECT_EQ(StringAt(QStringLiteral("Software\\Tricky\\Key]Name"), QStringLiteral("v")), QStringLiteral("w"));
    // The parent key's values are not the child's.
    EXPECT_FALSE(FindSystemRegValue(kSystemReg, GameInstallKey::path, QStringLiteral("Other")).has_value());
    EXPECT_FALSE(FindSystemRegValue(kSystemReg, GameInstallKey::path32, QStringLiteral("EXE Path")).has_value());
    EXPECT_FALSE(FindSystemRegValue(kSystemReg, GameInstallKey::path, QStringLiteral("Missing")).has_value());
}

TEST(SystemReg, TypedValuesKeepTheirTypeAndBytes)
{
    const auto at = [](const char* name) {
        return FindSystemRegValue(kSystemReg, GameInstallKey::path, QString::fromLatin1(name)).value_or(RegistryValue{});
    };
    EXPECT_EQ(at("Count"), (RegistryValue{RegistryValue::Dword, QByteArray("\x2c\x01\x00\x00", 4)}));
    EXPECT_EQ(at("Expand"), StringValue(QStringLiteral("%SystemRoot%\\x"), RegistryValue::ExpandString));
    EXPECT_EQ(at("Multi"), StringValue(QStringView(u"one\0two\0", 8).toString(), RegistryValue::MultiString));
    // The hex form over two lines holds the same multi-string.
    EXPECT_EQ(at("Hex"), StringValue(QStringView(u"one\0two\0", 8).toString(), RegistryValue::MultiString));
}

TEST(SystemReg, DamagedLinesReadAsMissing)
{
    const QByteArray damaged = "[A] 1\n\"Open\"=\"no end\n\"Hex\"=hex:zz,01\n\"Dword\"=dword:123456789\n\"T\"=str(q):\"x\"\n"
                               "[B\n\"Open\"=\"b\"\n";
    for (const char* name : {"Open", "Hex", "Dword", "T"})
        EXPECT_FALSE(FindSystemRegValue(damaged, QStringLiteral("A"), QString::fromLatin1(name)).has_value()) << name;
    EXPECT_FALSE(FindSystemRegValue(damaged, QStringLiteral("B"), QStringLiteral("Open")).has_value());
}

TEST(InstallFolderFromValue, TakesTerminatedStringsThatFitTheBuffer)
{
    EXPECT_EQ(InstallFolderFromValue(StringValue(QStringLiteral("D:\\Games\\AOE2"))), QStringLiteral("D:\\Games\\AOE2"));
    EXPECT_EQ(InstallFolderFromValue(StringValue(QStringLiteral("D:\\G"), RegistryValue::ExpandString)),
              QStringLiteral("D:\\G"));
    // 129 characters and the terminator fill the 260 bytes; one more does not fit.
    EXPECT_TRUE(InstallFolderFromValue(StringValue(QString(129, u'a'))).has_value());
    EXPECT_FALSE(InstallFolderFromValue(StringValue(QString(130, u'a'))).has_value());
    // A multi-string counts with its two terminators, and gives its first string.
    EXPECT_EQ(InstallFolderFromValue(StringValue(QStringView(u"D:\\G\0X\0", 7).toString(), RegistryValue::MultiString)),
              QStringLiteral("D:\\G"));
    EXPECT_FALSE(InstallFolderFromValue(StringValue(QStringLiteral("D:\\G"), RegistryValue::MultiString)).has_value());
}

TEST(InstallFolderFromValue, RefusesOtherTypesAndBrokenStrings)
{
    EXPECT_FALSE(InstallFolderFromValue({RegistryValue::Dword, QByteArray(4, '\0')}).has_value());
    EXPECT_FALSE(InstallFolderFromValue({RegistryValue::Binary, Utf16Z(QStringLiteral("D:\\G"))}).has_value());
    // No terminator, an odd byte count, nothing at all, an empty folder.
    EXPECT_FALSE(InstallFolderFromValue({RegistryValue::String, Utf16Z(QStringLiteral("D:\\G")).chopped(2)}).has_value());
    EXPECT_FALSE(InstallFolderFromValue({RegistryValue::String, Utf16Z(QStringLiteral("D:\\G")) + '\0'}).has_value());
    EXPECT_FALSE(InstallFolderFromValue({RegistryValue::String, {}}).has_value());
    EXPECT_FALSE(InstallFolderFromValue(StringValue({})).has_value());
}

TEST(SettingsForInstallFolder, AppendsTheThreeSuffixes)
{
    const GameSettings settings = SettingsForInstallFolder(QStringLiteral("D:\\Games\\AOE2"));
    EXPECT_EQ(settings.GameInstallPath, QStringLiteral("D:\\Games\\AOE2"));
    EXPECT_EQ(settings.GameExe10a, QStringLiteral("D:\\Games\\AOE2\\age2_x1.exe"));
    EXPECT_EQ(settings.GameExe10c, QStringLiteral("D:\\Games\\AOE2\\age2_x1\\age2_x1.exe"));
    EXPECT_EQ(settings.SaveGameFolder, QStringLiteral("D:\\Games\\AOE2\\SaveGame"));
}

TEST(WinePrefixFolder, TheVariableElseDotWine)
{
    EXPECT_EQ(WinePrefixFolder(QStringLiteral("/opt/aoe"), QStringLiteral("/home/u")), QStringLiteral("/opt/aoe"));
    EXPECT_EQ(WinePrefixFolder({}, QStringLiteral("/home/u")), QStringLiteral("/home/u/.wine"));
}

TEST_F(WinePrefixTest, DosPathsMapThroughDriveCAndTheDosdevicesLinks)
{
    EXPECT_EQ(MapDosPath(prefix.path(), QStringLiteral("C:\\Games\\AOE2")), Path(QStringLiteral("drive_c/Games/AOE2")));
    // Windows does not care about case; the folders on disk keep theirs.
    EXPECT_EQ(MapDosPath(prefix.path(), QStringLiteral("c:\\GAMES\\aoe2\\savegame")),
              Path(QStringLiteral("drive_c/Games/AOE2/SaveGame")));
    // A part that does not exist yet is kept as written.
    EXPECT_EQ(MapDosPath(prefix.path(), QStringLiteral("C:\\Games\\New\\x.exe")), Path(QStringLiteral("drive_c/Games/New/x.exe")));
    // ".." stops at the drive's root.
    EXPECT_EQ(MapDosPath(prefix.path(), QStringLiteral("C:\\..\\..\\Games")), Path(QStringLiteral("drive_c/Games")));

    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir(elsewhere.path()).mkpath(QStringLiteral("AOE2")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("dosdevices")));
    ASSERT_TRUE(QFile::link(elsewhere.path(), Path(QStringLiteral("dosdevices/d:"))));
    EXPECT_EQ(MapDosPath(prefix.path(), QStringLiteral("D:\\aoe2")), QDir(elsewhere.path()).filePath(QStringLiteral("AOE2")));

    EXPECT_FALSE(MapDosPath(prefix.path(), QStringLiteral("E:\\Games")).has_value());
    EXPECT_FALSE(MapDosPath(prefix.path(), QStringLiteral("\\\\server\\share")).has_value());
    EXPECT_FALSE(MapDosPath(prefix.path(), QStringLiteral("Games\\AOE2")).has_value());
    EXPECT_FALSE(MapDosPath(prefix.path(), QStringLiteral("CD:\\x")).has_value());
}

TEST_F(WinePrefixTest, DetectionDerivesPathsInsideThePrefix)
{
    WriteInstall(kKey, R"("C:\\Games\\AOE2")");
    const GameSettings settings = DetectGameInstallInPrefix(prefix.path());
    EXPECT_EQ(settings.GameInstallPath, Path(QStringLiteral("drive_c/Games/AOE2")));
    EXPECT_EQ(settings.GameExe10a, Path(QStringLiteral("drive_c/Games/AOE2/age2_x1.exe")));
    EXPECT_EQ(settings.GameExe10c, Path(QStringLiteral("drive_c/Games/AOE2/age2_x1/age2_x1.exe")));
    EXPECT_EQ(settings.SaveGameFolder, Path(QStringLiteral("drive_c/Games/AOE2/SaveGame")));
}

TEST_F(WinePrefixTest, ThirtyTwoBitKeyIsUsedWhenThePlainOneHasNoUsableValue)
{
    WriteInstall(kKey32, R"("C:\\Games\\AOE2")");
    EXPECT_EQ(DetectGameInstallInPrefix(prefix.path()).GameInstallPath, Path(QStringLiteral("drive_c/Games/AOE2")));

    WriteSystemReg("[" + kKey + "]\n\"EXE Path\"=dword:00000001\n[" + kKey32 + "]\n\"EXE Path\"=\"C:\\\\Games\\\\AOE2\"\n");
    EXPECT_EQ(DetectGameInstallInPrefix(prefix.path()).GameInstallPath, Path(QStringLiteral("drive_c/Games/AOE2")));
}

TEST_F(WinePrefixTest, NoUsableRecordLeavesEverythingEmpty)
{
    EXPECT_EQ(DetectGameInstallInPrefix(prefix.path()), GameSettings{}); // no system.reg
    WriteSystemReg("WINE REGISTRY Version 2\n[Software\\\\Other] 1\n\"EXE Path\"=\"C:\\\\Games\"\n");
    EXPECT_EQ(DetectGameInstallInPrefix(prefix.path()), GameSettings{});
    WriteInstall(kKey, "\"C:\\\\" + QByteArray(130, 'a') + "\"");
    EXPECT_EQ(DetectGameInstallInPrefix(prefix.path()), GameSettings{});
    WriteInstall(kKey, R"(hex(7):43,00,3a,00,00,00)"); // a multi-string with one terminator only
    EXPECT_EQ(DetectGameInstallInPrefix(prefix.path()), GameSettings{});
    WriteInstall(kKey, R"("Q:\\Games")"); // a drive the prefix does not have
    EXPECT_EQ(DetectGameInstallInPrefix(prefix.path()), GameSettings{});
    WriteInstall(kKey, R"(str(7):"C:\\Games\\AOE2\0\0")");
    EXPECT_EQ(DetectGameInstallInPrefix(prefix.path()).GameInstallPath, Path(QStringLiteral("drive_c/Games/AOE2")));
}
