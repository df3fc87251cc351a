#include "CreateZipArchive.h"
#include "DosTime.h"
#include "ExtractZipArchive.h"
#include "ProcessRunner.h"
#include "RawZip.h"
#include "TestFiles.h"
#include "UnpackReport.h"
#include "ZipEntryName.h"
#include "ZipTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unzip.h>

using namespace TestFiles;

namespace {

const QString Chinese = QStringLiteral("中文录像.mgx");
const QString Emoji = QStringLiteral("한글🎮.mgx"); // outside GBK

QByteArray Gbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

struct ReadEntry {
    QByteArray rawName;
    unz_file_info info {};
    QByteArray data;
};

QList<ReadEntry> ReadArchive(const QString& path)
{
    QList<ReadEntry> entries;
    unzFile archive = unzOpen(QFile::encodeName(path).constData());
    if (!archive)
        return entries;
    for (int status = unzGoToFirstFile(archive); status == UNZ_OK; status = unzGoToNextFile(archive)) {
        ReadEntry entry;
        char name[1024];
        unzGetCurrentFileInfo(archive, &entry.info, name, sizeof name, nullptr, 0, nullptr, 0);
        entry.rawName = QByteArray(name, qsizetype(entry.info.size_filename));
        unzOpenCurrentFile(archive);
        char buffer[65536];
        for (int got; (got = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0;)
            entry.data.append(buffer, got);
        unzCloseCurrentFile(archive);
        entries.append(entry);
    }
    unzClose(archive);
    return entries;
}

class ZipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir root(m_root.path());
        root.mkdir(QStringLiteral("src"));
        root.mkdir(QStringLiteral("out"));
    }
    QString Src(const QString& name = {}) const { return m_root.filePath(QStringLiteral("src/") + name); }
    QString Out(const QString& name = {}) const { return m_root.filePath(QStringLiteral("out/") + name); }
    QString WriteZip(const QList<RawZipEntry>& entries, const QString& name = QStringLiteral("in.zip"))
    {
        Write(m_root.filePath(name), BuildZip(entries));
        return m_root.filePath(name);
    }

    QTemporaryDir m_root;
};

void SetTime(const QString& path, time_t seconds)
{
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

} // namespace

TEST(DosTime, ConvertsBothWaysAtTheTwoSecondGrain)
{
    struct tm local {};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 1;
    local.tm_mday = 29;
    local.tm_hour = 23;
    local.tm_min = 59;
    local.tm_sec = 59;
    local.tm_isdst = -1;
    const time_t time = ::mktime(&local);
    const quint32 dos = DosTime::FromUnixTime(time);
    EXPECT_EQ(dos >> 16, (44u << 9) | (2u << 5) | 29u);
    EXPECT_EQ(dos & 0xFFFF, (23u << 11) | (59u << 5) | 29u);
    EXPECT_EQ(DosTime::ToUnixTime(dos), time - 1);
    EXPECT_EQ(DosTime::ToUnixTime(0), std::nullopt) << "month 0 is no date";
    EXPECT_EQ(GetDosFileTime(QStringLiteral("/nonexistent/korvale.mgx")), std::nullopt);
}

TEST(ZipEntryName, GbkNamesCarryAUnicodePathAndOthersTheUtf8Flag)
{
    const ZipEntryName::Stored plain = ZipEntryName::Encode(QStringLiteral("a b.mgx"));
    EXPECT_EQ(plain.name, QByteArray("a b.mgx"));
    EXPECT_EQ(plain.flags, 0);
    EXPECT_TRUE(plain.extraField.isEmpty());

    const ZipEntryName::Stored chinese = ZipEntryName::Encode(Chinese);
    EXPECT_EQ(chinese.name, Gbk(Chinese));
    EXPECT_EQ(chinese.flags, 0);
    EXPECT_EQ(chinese.extraField, UnicodePathField(Gbk(Chinese), Chinese.toUtf8()));

    const ZipEntryName::Stored other = ZipEntryName::Encode(Emoji);
    EXPECT_EQ(other.name, Emoji.toUtf8());
    EXPECT_EQ(other.flags, ZipEntryName::Utf8Flag);
    EXPECT_EQ(other.extraField, UnicodePathField(Emoji.toUtf8(), Emoji.toUtf8()));
}

TEST(ZipEntryName, DecodesFlagThenMatchingUnicodePathThenGbk)
{
    EXPECT_EQ(ZipEntryName::Decode(Emoji.toUtf8(), ZipEntryName::Utf8Flag, {}), Emoji);
    EXPECT_EQ(ZipEntryName::Decode(Gbk(Chinese), 0, {}), Chinese);
    const QByteArray stored("old-name.mgx");
    EXPECT_EQ(ZipEntryName::Decode(stored, 0, UnicodePathField(stored, Emoji.toUtf8())), Emoji);
    // A Unicode Path written for another name (the name was changed by a tool that ignored it).
    EXPECT_EQ(ZipEntryName::Decode(stored, 0, UnicodePathField(stored, Emoji.toUtf8(), 0x12345678)),
              QStringLiteral("old-name.mgx"));
    // A field that claims more bytes than there are is ignored, not read past.
    QByteArray truncated = UnicodePathField(stored, Emoji.toUtf8());
    truncated.chop(3);
    EXPECT_EQ(ZipEntryName::Decode(stored, 0, truncated), QStringLiteral("old-name.mgx"));
}

TEST(ZipEntryName, OnlyNamesThatStayInsideAreSplit)
{
    using ZipEntryName::SafeParts;
    EXPECT_EQ(SafeParts(QStringLiteral("saves\\a.mgx")), (QStringList{"saves", "a.mgx"}));
    EXPECT_EQ(SafeParts(QStringLiteral("saves/")), (QStringList{"saves", ""}));
    EXPECT_EQ(SafeParts(QStringLiteral("./x//a.mgx")), (QStringList{"x", "a.mgx"}));
    for (const char* bad : {"../evil.mgx", "a/../../evil.mgx", "a\\..\\b", "/etc/evil", "\\evil", "C:\\evil", "c:evil", ""})
        EXPECT_EQ(SafeParts(QString::fromLatin1(bad)), std::nullopt) << bad;
}

TEST_F(ZipTest, PackingGivesFlatEntriesAtLevelNineWithEachFilesTime)
{
    const QByteArray record = RecordBytes();
    Write(Src("a.mgx"), record);
    Write(Src(Chinese), "chinese");
    Write(Src(Emoji), "emoji");
    SetTime(Src("a.mgx"), 1000000000);
    ScriptedProgress progress;
    ASSERT_EQ(CreateZipArchive(Out(), QStringLiteral("x.zip"), Src(), {"a.mgx", Chinese, Emoji}, 9, &progress),
              ZipPackResult::Done);
    EXPECT_EQ(progress.names, (QStringList{"a.mgx", Chinese, Emoji}));
    EXPECT_EQ(Names(Out()), QStringList{"x.zip"});

    const QList<ReadEntry> entries = ReadArchive(Out("x.zip"));
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].rawName, QByteArray("a.mgx"));
    EXPECT_EQ(entries[0].data, record);
    EXPECT_EQ(entries[0].info.compression_method, 8u);
    EXPECT_EQ(entries[0].info.flag & 6, 2u) << "level 9 is marked as maximum compression";
    EXPECT_EQ(entries[0].info.dosDate, DosTime::FromUnixTime(1000000000));
    EXPECT_EQ(entries[1].rawName, Gbk(Chinese));
    EXPECT_EQ(entries[1].info.flag & ZipEntryName::Utf8Flag, 0u);
    EXPECT_EQ(entries[2].rawName, Emoji.toUtf8());
    EXPECT_EQ(entries[2].info.flag & ZipEntryName::Utf8Flag, ZipEntryName::Utf8Flag);

    ASSERT_EQ(CreateZipArchive(Out(), QStringLiteral("stored.zip"), Src(), {"a.mgx"}, 0), ZipPackResult::Done);
    EXPECT_EQ(ReadArchive(Out("stored.zip")).value(0).info.compression_method, 0u);
}

TEST_F(ZipTest, AFailedOrCancelledPackLeavesNoArchiveAndKeepsTheOldOne)
{
    Write(Src("a.mgx"), "a");
    QDir(Src()).mkdir(QStringLiteral("folder"));
    Write(Out("x.zip"), "the archive that was there");
    EXPECT_EQ(CreateZipArchive(Out(), QStringLiteral("x.zip"), Src(), {"a.mgx", "missing.mgx"}, 9),
              ZipPackResult::CannotOpenSource);
    EXPECT_EQ(CreateZipArchive(Out(), QStringLiteral("x.zip"), Src(), {"a.mgx", "folder"}, 9),
              ZipPackResult::CannotOpenSource);
    ScriptedProgress cancel;
    cancel.cancelAt = 1;
    EXPECT_EQ(CreateZipArchive(Out(), QStringLiteral("x.zip"), Src(), {"a.mgx", "a.mgx"}, 9, &cancel),
              ZipPackResult::Cancelled);
    EXPECT_EQ(CreateZipArchive(Out(), QStringLiteral("new.zip"), Src(), {"a.mgx", "a.mgx"}, 9, &cancel),
              ZipPackResult::Cancelled);
    EXPECT_EQ(Names(Out()), QStringList{"x.zip"});
    EXPECT_EQ(Read(Out("x.zip")), QByteArray("the archive that was there"));
    EXPECT_EQ(CreateZipArchive(m_root.filePath("no-such-folder"), QStringLiteral("x.zip"), Src(), {"a.mgx"}, 9),
              ZipPackResult::CannotCreate);
}

TEST_F(ZipTest, PackingOntoAFullDiskFailsCleanly)
{
    SmallMount small(64 * 1024, false);
    if (!small.IsMounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    QByteArray noise(300000, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    Write(Src("big.mgx"), noise);
    EXPECT_NE(CreateZipArchive(small.Path(), QStringLiteral("x.zip"), Src(), {"big.mgx"}, 9), ZipPackResult::Done);
    EXPECT_EQ(Names(small.Path()), QStringList{});
}

TEST_F(ZipTest, NamesFromOtherWritersAreReadRight)
{
    const QByteArray stored("stale.mgx");
    const QString archive = WriteZip({
        {Gbk(Chinese), "gbk without flag"},
        {Emoji.toUtf8(), "utf-8 with flag", ZipEntryName::Utf8Flag},
        {stored, "unicode path", 0, UnicodePathField(stored, QStringLiteral("统一.mgx").toUtf8())},
    });
    EXPECT_EQ(ExtractZipArchive(archive, Out(), ZipOverwrite::Always), ZipUnpackResult::Done);
    EXPECT_EQ(Read(Out(Chinese)), QByteArray("gbk without flag"));
    EXPECT_EQ(Read(Out(Emoji)), QByteArray("utf-8 with flag"));
    EXPECT_EQ(Read(Out(QStringLiteral("统一.mgx"))), QByteArray("unicode path"));
    EXPECT_EQ(Names(Out()).size(), 3);
}

TEST_F(ZipTest, NothingIsWrittenOutsideTheTargetFolder)
{
    QDir(m_root.path()).mkdir(QStringLiteral("elsewhere"));
    QFile::link(m_root.filePath("elsewhere"), Out("escape"));
    QDir(Out()).mkdir(QStringLiteral("real"));
    QFile::link(Out("real"), Out("inside"));
    const QString absolute = m_root.filePath("absolute.mgx");
    const QString archive = WriteZip({
        {"../evil.mgx", "x"},
        {"saves/../../evil.mgx", "x"},
        {QFile::encodeName(absolute), "x"},
        {"escape/evil.mgx", "x"},
        {"escape/", ""},
        {"inside/kept.mgx", "through a link that stays inside"},
        {"good.mgx", "after the refused ones"},
    });
    EXPECT_EQ(ExtractZipArchive(archive, Out(), ZipOverwrite::Always), ZipUnpackResult::SomeEntriesFailed);
    EXPECT_EQ(Names(m_root.path()), (QStringList{"elsewhere", "in.zip", "out", "src"}));
    EXPECT_EQ(Names(m_root.filePath("elsewhere")), QStringList{});
    EXPECT_EQ(Read(Out("real/kept.mgx")), QByteArray("through a link that stays inside"));
    EXPECT_EQ(Read(Out("good.mgx")), QByteArray("after the refused ones"));
}

TEST_F(ZipTest, FoldersAreCreatedInFullAndLongNamesReadWhole)
{
    const QByteArray longFolder(200, 'f');
    const QString archive = WriteZip({
        {"saves/", ""},
        {"saves/a.mgx", "a", 0, {}, true},
        {"deep\\er\\b.mgx", "b"},
        {longFolder + "/" + longFolder + "/c.mgx", "c"},
    });
    EXPECT_EQ(ExtractZipArchive(archive, Out(), ZipOverwrite::Always), ZipUnpackResult::Done);
    EXPECT_EQ(Read(Out("saves/a.mgx")), QByteArray("a"));
    EXPECT_EQ(Read(Out("deep/er/b.mgx")), QByteArray("b"));
    EXPECT_EQ(Read(Out(QString::fromLatin1(longFolder + "/" + longFolder + "/c.mgx"))), QByteArray("c"));
    EXPECT_EQ(Names(Out()), (QStringList{"deep", QString::fromLatin1(longFolder), "saves"}));
}

TEST_F(ZipTest, ADamagedEntryCostsOnlyItselfAndNeverReplacesAGoodFile)
{
    Write(Out("b.mgx"), "good old b");
    Write(Out("d.mgx"), "good old d");
    const QString badCrc = WriteZip({{"a.mgx", "a"}, {"b.mgx", "damaged b", 0, {}, false, 0xDEADBEEF}, {"c.mgx", "c"}});
    UnpackReport report;
    ZipExtractHooks hooks;
    hooks.report = &report;
    EXPECT_EQ(ExtractZipArchive(badCrc, Out(), ZipOverwrite::Always, hooks), ZipUnpackResult::SomeEntriesFailed);
    EXPECT_EQ(report.written, 2);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_EQ(report.failures[0].name, QStringLiteral("b.mgx"));
    EXPECT_EQ(report.failures[0].why, EntryFailure::Damaged);
    const QString badStream =
        WriteZip({{"d.mgx", QByteArray(5000, 'd'), 0, {}, true, std::nullopt, QByteArray("\xff\xff\xff\xff garbage")}},
                 QStringLiteral("stream.zip"));
    EXPECT_EQ(ExtractZipArchive(badStream, Out(), ZipOverwrite::Always), ZipUnpackResult::SomeEntriesFailed);
    EXPECT_EQ(Names(Out()), (QStringList{"a.mgx", "b.mgx", "c.mgx", "d.mgx"})) << "c comes after the damage; no temporary stays";
    EXPECT_EQ(Read(Out("b.mgx")), QByteArray("good old b"));
    EXPECT_EQ(Read(Out("d.mgx")), QByteArray("good old d"));

    // The entry routine itself names what went wrong.
    unzFile archive = unzOpen(QFile::encodeName(badCrc).constData());
    ASSERT_NE(archive, nullptr);
    unzGoToNextFile(archive);
    EXPECT_EQ(ExtractZipEntry(archive, Out(), true, nullptr, ZipOverwrite::Always), ZipUnpackResult::CannotCloseEntry);
    unzClose(archive);

    Write(m_root.filePath("junk.zip"), "not an archive at all");
    EXPECT_EQ(ExtractZipArchive(m_root.filePath("junk.zip"), Out(), ZipOverwrite::Always),
              ZipUnpackResult::CannotOpenArchive);
}

TEST_F(ZipTest, OverwriteModesAndTheEntrysTime)
{
    Write(Out("a.mgx"), "old a");
    Write(Out("b.mgx"), "old b");
    const QString archive = WriteZip({{"a.mgx", "new a"}, {"b.mgx", "new b"}, {"c.mgx", "new c"}, {"sub/d.mgx", "d"}});

    EXPECT_EQ(ExtractZipArchive(archive, Out(), ZipOverwrite::Never), ZipUnpackResult::Done);
    EXPECT_EQ(Names(Out()), (QStringList{"a.mgx", "b.mgx"})) << "not even a folder";

    QStringList asked;
    ZipExtractHooks hooks;
    hooks.confirmOverwrite = [&](const QString& path) {
        asked.append(path);
        return path.endsWith(QLatin1String("b.mgx"));
    };
    EXPECT_EQ(ExtractZipArchive(archive, Out(), ZipOverwrite::Ask, hooks), ZipUnpackResult::Done);
    EXPECT_EQ(asked, (QStringList{Out("a.mgx"), Out("b.mgx")}));
    EXPECT_EQ(Read(Out("a.mgx")), QByteArray("old a"));
    EXPECT_EQ(Read(Out("b.mgx")), QByteArray("new b"));
    EXPECT_EQ(Read(Out("c.mgx")), QByteArray("new c"));

    EXPECT_EQ(ExtractZipArchive(archive, Out(), ZipOverwrite::Always), ZipUnpackResult::Done);
    EXPECT_EQ(Read(Out("a.mgx")), QByteArray("new a"));
    EXPECT_EQ(QFileInfo(Out("a.mgx")).lastModified().toSecsSinceEpoch(), *DosTime::ToUnixTime(0x5A2B6C31));
}

TEST_F(ZipTest, ACancelledUnpackKeepsTheFinishedFiles)
{
    const QString archive = WriteZip({{"a.mgx", "a"}, {"b.mgx", "b"}, {"c.mgx", "c"}});
    ScriptedProgress progress;
    progress.cancelAt = 2;
    ZipExtractHooks hooks;
    hooks.progress = &progress;
    EXPECT_EQ(ExtractZipArchive(archive, Out(), ZipOverwrite::Always, hooks), ZipUnpackResult::Cancelled);
    EXPECT_EQ(Names(Out()), (QStringList{"a.mgx", "b.mgx"}));
    EXPECT_EQ(progress.finishes, 1);
}

TEST_F(ZipTest, CutAndBitFlippedArchivesNeverWriteOutsideOrCrash)
{
    const QByteArray archive = BuildZip({{"a.mgx", QByteArray(3000, 'a'), 0, {}, true}, {"../evil", "x"}, {"b/c.mgx", "c"}});
    for (qsizetype cut = 0; cut < archive.size(); cut += 7) {
        QByteArray damaged = archive.left(cut) + archive.mid(cut + 1);
        if (cut < damaged.size())
            damaged[cut] = char(damaged[cut] ^ 0x5A);
        Write(m_root.filePath("damaged.zip"), damaged);
        ExtractZipArchive(m_root.filePath("damaged.zip"), Out(), ZipOverwrite::Always);
    }
    EXPECT_EQ(Names(m_root.path()), (QStringList{"damaged.zip", "out", "src"}));
    for (const QString& name : Names(Out()))
        EXPECT_FALSE(name.startsWith(QLatin1String(".korvale-"))) << name.toStdString();
}

TEST_F(ZipTest, ArchivesTravelBetweenKorvaleUnzipAndBsdtar)
{
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    const QString bsdtar = QStandardPaths::findExecutable(QStringLiteral("bsdtar"));
    if (unzip.isEmpty() || bsdtar.isEmpty())
        GTEST_SKIP() << "unzip or bsdtar missing";
    const QStringList names{"plain.mgx", Chinese, Emoji};
    for (const QString& name : names)
        Write(Src(name), name.toUtf8());
    ASSERT_EQ(CreateZipArchive(m_root.path(), QStringLiteral("k.zip"), Src(), names, 9), ZipPackResult::Done);

    QtProcessRunner runner;
    QDir(m_root.path()).mkpath(QStringLiteral("by-unzip"));
    QDir(m_root.path()).mkpath(QStringLiteral("by-bsdtar"));
    EXPECT_EQ(runner.RunAndWait({unzip, {"-q", m_root.filePath("k.zip"), "-d", m_root.filePath("by-unzip")}, {}}), 0);
    EXPECT_EQ(runner.RunAndWait({bsdtar, {"-x", "-f", m_root.filePath("k.zip"), "-C", m_root.filePath("by-bsdtar")}, {}}), 0);
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(Names(m_root.filePath("by-unzip")), sorted);
    EXPECT_EQ(Names(m_root.filePath("by-bsdtar")), sorted);

    // And back: bsdtar writes UTF-8 names with the flag.
    EXPECT_EQ(runner.RunAndWait({bsdtar, {"--format", "zip", "-c", "-f", m_root.filePath("b.zip"), "-C", Src(), "plain.mgx", Chinese, Emoji}, {}}), 0);
    EXPECT_EQ(ExtractZipArchive(m_root.filePath("b.zip"), Out(), ZipOverwrite::Always), ZipUnpackResult::Done);
    EXPECT_EQ(Names(Out()), sorted);
    EXPECT_EQ(Read(Out(Chinese)), Chinese.toUtf8());
}
