// Failures forced on the file routines: full and read-only file systems, a source swapped or removed
// in the middle of a move, kill -9 at each step of pack, unpack, copy, move and repair, FIFOs where
// files are expected. Every case ends with the files compared byte for byte and no debris left.
#include "ArchiveExtraction.h"
#include "ArchiveTestSupport.h"
#include "CreateZipArchive.h"
#include "ExtractZipArchive.h"
#include "FileTransfer.h"
#include "FolderListing.h"
#include "Leftovers.h"
#include "ProcessRunner.h"
#include "RarExtraction.h"
#include "RecordRepair.h"
#include "RecordingProcessRunner.h"
#include "SettingsFile.h"
#include "StepHook.h"
#include "UnpackReport.h"

#include <QDir>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ArchiveFixtures;
using namespace TestFiles;

namespace {

QByteArray Noise(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

// Runs work in a child process that kills itself with SIGKILL when it reaches step, as a crash
// or a power cut would end it there. True when the child died at that step.
bool KilledAt(const char* step, const std::function<void()>& work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        StepHook::Set([step](const char* reached) {
            if (std::strcmp(reached, step) == 0)
                ::raise(SIGKILL);
        });
        work();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// The id of a process that has ended.
pid_t EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// Sets the hook for one scope.
struct ScopedHook {
    explicit ScopedHook(StepHook::Hook hook) { StepHook::Set(std::move(hook)); }
    ~ScopedHook() { StepHook::Set({}); }
};

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir(m_root.path()).mkdir(QStringLiteral("src"));
        QDir(m_root.path()).mkdir(QStringLiteral("out"));
    }
    QString At(const QString& name) const { return m_root.filePath(name); }
    // What the list does on entering the folder; then the folder must hold exactly `names`.
    QStringList AfterListing(const QString& folder) const
    {
        Leftovers::ListAndTidy(folder, QLocale::c());
        return Names(folder);
    }

    QTemporaryDir m_root;
};

} // namespace

TEST_F(FaultTest, KilledAtEveryStepOfCopyAndCopyToNothingIsLostOrLeft)
{
    const QByteArray record = Noise(300000, 1);
    Write(At("src/r.mgx"), record);
    Write(At("out/r.mgx"), "older copy");
    for (const char* step : {"copy: temporary filled"}) {
        ASSERT_TRUE(KilledAt(step, [&] { FileTransfer::CopyFile(At("src/r.mgx"), At("out/r.mgx"), true); })) << step;
        EXPECT_EQ(AfterListing(At("out")), QStringList{"r.mgx"}) << step;
        EXPECT_EQ(Read(At("out/r.mgx")), QByteArray("older copy")) << "replaced whole or not at all";
        EXPECT_EQ(Read(At("src/r.mgx")), record);
    }
    WriteArchive(At("in.zip"), {{"r.mgx", record}});
    ASSERT_TRUE(KilledAt("place: temporary written", [&] { ExtractArchiveEntry(At("in.zip"), "r.mgx", At("out"), true); }));
    EXPECT_EQ(AfterListing(At("out")), QStringList{"r.mgx"});
    EXPECT_EQ(Read(At("out/r.mgx")), QByteArray("older copy"));
}

TEST_F(FaultTest, KilledWhileUnpackingLeavesWholeFilesOnly)
{
    const QByteArray first = Noise(200000, 2), second = Noise(200000, 3);
    WriteArchive(At("in.zip"), {{"a.mgx", first}, {"b.mgx", second}});
    WriteArchive(At("in.rar"), {{"a.mgx", first}, {"b.mgx", second}});
    Write(At("out/b.mgx"), "the player's b");
    ASSERT_TRUE(KilledAt("unpack: entry written", [&] {
        ExtractZipArchive(At("in.zip"), At("out"), ZipOverwrite::Always);
    }));
    EXPECT_EQ(AfterListing(At("out")), QStringList{"b.mgx"}) << "killed before the first entry took its name";
    EXPECT_EQ(Read(At("out/b.mgx")), QByteArray("the player's b"));

    int reached = 0;
    ASSERT_TRUE(KilledAt("nothing", [&] {})  == false);
    // The second file's placement is where the RAR unpack dies: the first is whole, the second untouched.
    const pid_t child = ::fork();
    if (child == 0) {
        StepHook::Set([&reached](const char* step) {
            if (std::strcmp(step, "place: temporary written") == 0 && ++reached == 2)
                ::raise(SIGKILL);
        });
        RecordingProcessRunner noTool;
        ExtractRarArchive(At("in.rar"), At("out"), noTool, At("none"), At("none"), [](const QString&) { return true; });
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(AfterListing(At("out")), (QStringList{"a.mgx", "b.mgx"}));
    EXPECT_EQ(Read(At("out/a.mgx")), first);
    EXPECT_EQ(Read(At("out/b.mgx")), QByteArray("the player's b"));
}

TEST_F(FaultTest, KilledWhilePackingLeavesTheOldArchiveAndNoTemporary)
{
    Write(At("src/a.mgx"), Noise(100000, 4));
    Write(At("src/b.mgx"), Noise(100000, 5));
    Write(At("out/saved.zip"), "the old archive");
    for (const char* step : {"pack: entry added", "pack: archive closed"}) {
        ASSERT_TRUE(KilledAt(step, [&] { CreateZipArchive(At("out"), "saved.zip", At("src"), {"a.mgx", "b.mgx"}, 9); }))
            << step;
        EXPECT_EQ(AfterListing(At("out")), QStringList{"saved.zip"}) << step;
        EXPECT_EQ(Read(At("out/saved.zip")), QByteArray("the old archive")) << step;
    }
}

TEST_F(FaultTest, AMoveAcrossFileSystemsRemovesOnlyTheFileItCopied)
{
    const std::optional<QString> other = OtherFileSystemFolder();
    if (!other)
        GTEST_SKIP() << "no second file system";
    QTemporaryDir target(*other + QStringLiteral("/korvale-XXXXXX"));
    ASSERT_TRUE(target.isValid());
    const QByteArray old = Noise(100000, 6), newer = Noise(100000, 7);

    // A newer file renamed onto the source's name while the copy ran is never deleted.
    Write(At("src/r.mgx"), old);
    {
        ScopedHook swap([&](const char* step) {
            if (std::strcmp(step, "move: copy placed") == 0) {
                Write(At("src/newer.tmp"), newer);
                QFile::remove(At("src/r.mgx"));
                QFile::rename(At("src/newer.tmp"), At("src/r.mgx"));
            }
        });
        EXPECT_EQ(FileTransfer::MoveEntry(At("src/r.mgx"), target.filePath("r.mgx")), FileResult::Failed);
    }
    EXPECT_EQ(Read(At("src/r.mgx")), newer);
    EXPECT_EQ(Read(target.filePath("r.mgx")), old) << "the copy is the only copy of the old file now";
    EXPECT_EQ(Names(At("src")), QStringList{"r.mgx"});

    // A source removed during the move leaves the finished copy as the one file.
    Write(At("src/s.mgx"), old);
    {
        ScopedHook remove([&](const char* step) {
            if (std::strcmp(step, "move: copy placed") == 0)
                QFile::remove(At("src/s.mgx"));
        });
        EXPECT_EQ(FileTransfer::MoveEntry(At("src/s.mgx"), target.filePath("s.mgx")), FileResult::Ok);
    }
    EXPECT_EQ(Read(target.filePath("s.mgx")), old);
    EXPECT_EQ(Names(At("src")), QStringList{"r.mgx"});

    // Killed at each step, the record exists whole at one name at least and nothing else stays.
    Write(At("src/k.mgx"), old);
    ASSERT_TRUE(KilledAt("move: copy placed", [&] { FileTransfer::MoveEntry(At("src/k.mgx"), target.filePath("k.mgx")); }));
    EXPECT_EQ(Read(At("src/k.mgx")), old);
    EXPECT_EQ(Read(target.filePath("k.mgx")), old);
    EXPECT_EQ(AfterListing(At("src")), (QStringList{"k.mgx", "r.mgx"}));
    QFile::remove(target.filePath("k.mgx"));
    ASSERT_TRUE(KilledAt("copy: temporary filled", [&] { FileTransfer::MoveEntry(At("src/k.mgx"), target.filePath("k.mgx")); }));
    EXPECT_EQ(Read(At("src/k.mgx")), old);
    EXPECT_EQ(AfterListing(target.path()), (QStringList{"r.mgx", "s.mgx"}));
}

TEST_F(FaultTest, AFullDiskUnpacksWhatFitsAndNamesTheRest)
{
    SmallMount small(700 * 1024, false);
    if (!small.IsMounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    QList<Entry> records;
    for (int i = 0; i < 4; ++i)
        records.append({QByteArray("r") + QByteArray::number(i) + ".mgx", Noise(250000, 10 + i)});
    WriteArchive(At("in.zip"), records);
    WriteArchive(At("in.rar"), records);

    UnpackReport zip;
    ZipExtractHooks hooks;
    hooks.report = &zip;
    EXPECT_EQ(ExtractZipArchive(At("in.zip"), small.Path(), ZipOverwrite::Always, hooks), ZipUnpackResult::SomeEntriesFailed);
    EXPECT_EQ(zip.written, 2);
    ASSERT_EQ(zip.failures.size(), 2);
    EXPECT_EQ(zip.failures[0].why, EntryFailure::NoSpace);
    EXPECT_EQ(Names(small.Path()), (QStringList{"r0.mgx", "r1.mgx"}));
    EXPECT_EQ(Read(small.Path() + "/r1.mgx"), records[1].data);

    for (const QString& name : Names(small.Path()))
        QFile::remove(small.Path() + '/' + name);
    UnpackReport rar;
    RecordingProcessRunner noTool;
    EXPECT_EQ(ExtractRarArchive(At("in.rar"), small.Path(), noTool, At("none"), At("none"), {}, &rar), 1);
    EXPECT_EQ(rar.written, 2);
    EXPECT_EQ(rar.failures.size(), 2);
    EXPECT_EQ(Names(small.Path()), (QStringList{"r0.mgx", "r1.mgx"}));
}

TEST_F(FaultTest, AReadOnlyFolderFailsEveryEntryAndSaysSo)
{
    SmallMount readOnly(1 << 20, true);
    if (!readOnly.IsMounted())
        GTEST_SKIP() << "cannot mount a read-only file system here";
    WriteArchive(At("in.zip"), {{"a.mgx", "a"}, {"b.mgx", "b"}});
    UnpackReport report;
    ZipExtractHooks hooks;
    hooks.report = &report;
    EXPECT_EQ(ExtractZipArchive(At("in.zip"), readOnly.Path(), ZipOverwrite::Always, hooks), ZipUnpackResult::SomeEntriesFailed);
    EXPECT_EQ(report.written, 0);
    ASSERT_EQ(report.failures.size(), 2);
    EXPECT_EQ(report.failures[1].name, QStringLiteral("b.mgx"));
    EXPECT_EQ(report.failures[1].why, EntryFailure::CannotWrite);
}

TEST_F(FaultTest, LeftoversOfEndedRunsGoWhenTheFolderIsListedAndNothingElseDoes)
{
    const QByteArray dead = QByteArray::number(qint64(EndedProcess()));
    const QByteArray alive = QByteArray::number(qint64(::getpid()));
    Write(At("out/.korvale-" + dead + "-abc.tmp"), Noise(4096, 8));
    QDir().mkpath(At("out/.korvale-rar-" + dead + "-Xy12Zq/saves"));
    Write(At("out/.korvale-rar-" + dead + "-Xy12Zq/saves/r.mgx"), "staged");
    Write(At("out/.korvale-" + alive + "-def.tmp"), "being written right now");
    Write(At("out/.korvale-oldform.tmp"), "fresh, of an older version");
    Write(At("out/.korvale-ancient.tmp"), "two days old");
    const struct timespec old[2] = {{::time(nullptr) - 2 * 86400, 0}, {::time(nullptr) - 2 * 86400, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(At("out/.korvale-ancient.tmp")).constData(), old, 0);
    Write(At("elsewhere.mgx"), "outside");
    QFile::link(At("elsewhere.mgx"), At("out/.korvale-" + dead + "-link.tmp"));
    Write(At("out/.korvale-moving-" + dead + "-q"), "a source set aside: never removed");
    Write(At("out/r.mgx"), "record");

    const std::optional<QList<MgxListItem>> listed = Leftovers::ListAndTidy(At("out"), QLocale::c());
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), 1);
    EXPECT_EQ(listed->first().name, QStringLiteral("r.mgx"));
    EXPECT_EQ(Names(At("out")), (QStringList{".korvale-" + alive + "-def.tmp", ".korvale-" + dead + "-link.tmp",
                                             ".korvale-moving-" + dead + "-q", ".korvale-oldform.tmp", "r.mgx"}));
    EXPECT_EQ(Read(At("elsewhere.mgx")), QByteArray("outside"));
}

TEST_F(FaultTest, RepairKeepsOldBackupsAndLeavesNoCutOne)
{
    QByteArray record = Noise(50000, 9);
    std::memset(record.data(), 0, 4);
    record.replace(1000, 4, QByteArray("\xf4\x01\x00\x00", 4)); // the body's first prefix value, 500
    Write(At("out/r.mgx"), record);
    Write(At("out/r.mgx.bak"), "an older backup");
    const std::string path = QFile::encodeName(At("out/r.mgx")).toStdString();
    const std::string backup = Mgx::FreeRepairBackupPath(path);
    EXPECT_EQ(backup, path + ".1.bak");
    EXPECT_EQ(Mgx::RepairRecordFile(path, path + ".bak"), Mgx::RepairCode::BackupFailed) << "never replaced";
    EXPECT_EQ(Read(At("out/r.mgx.bak")), QByteArray("an older backup"));

    // Killed after the backup was made and synced: the record is untouched and the backup whole.
    ASSERT_TRUE(KilledAt("unused", [&] {
        Mgx::RepairRecordFile(path, backup, [](const std::string&) -> std::FILE* { ::raise(SIGKILL); return nullptr; });
    }));
    EXPECT_EQ(Read(At("out/r.mgx")), record);
    EXPECT_EQ(Read(At("out/r.mgx.1.bak")), record);
    QFile::remove(At("out/r.mgx.1.bak"));

    SmallMount small(32 * 1024, false);
    if (!small.IsMounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    Write(small.Path() + "/r.mgx", record.left(20000));
    Write(small.Path() + "/filler", Noise(12 * 1024, 10));
    const std::string onSmall = QFile::encodeName(small.Path() + "/r.mgx").toStdString();
    EXPECT_EQ(Mgx::RepairRecordFile(onSmall, onSmall + ".bak"), Mgx::RepairCode::BackupFailed);
    EXPECT_EQ(Names(small.Path()), (QStringList{"filler", "r.mgx"})) << "no cut backup stays";
}

TEST_F(FaultTest, FifosAreRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(At("out/config.ini")).constData(), 0600), 0);
    EXPECT_EQ(LoadConfigIni(At("out/config.ini")), std::nullopt);
    ASSERT_EQ(::mkfifo(QFile::encodeName(At("out/r.mgx")).constData(), 0600), 0);
    EXPECT_EQ(FileTransfer::CopyFile(At("out/r.mgx"), At("src/r.mgx"), false), FileResult::NotAFile);
    const std::string fifo = QFile::encodeName(At("out/r.mgx")).toStdString();
    EXPECT_EQ(Mgx::RepairRecordFile(fifo, fifo + ".bak"), Mgx::RepairCode::OpenFailed);
    EXPECT_EQ(Names(At("src")), QStringList{});
    EXPECT_EQ(Names(At("out")), (QStringList{"config.ini", "r.mgx"}));
}

TEST(ConfigIniMarks, AByteOrderMarkIsRead)
{
    const GameSettings settings{QStringLiteral("C:\\Games\\存档"), QStringLiteral("a.exe"), QStringLiteral("c.exe"), {}};
    const QByteArray plain = ComposeConfigIni(settings);
    for (const QByteArray& bytes : {QByteArray("\xFF\xFE") + plain, plain,
                                    QByteArray("\xEF\xBB\xBF") + QStringLiteral("C:\\Games\\存档\r\na.exe\r\nc.exe\r\n").toUtf8()}) {
        const GameSettings read = ParseConfigIni(bytes);
        EXPECT_EQ(read.SaveGameFolder, settings.SaveGameFolder);
        EXPECT_EQ(read.GameExe10c, settings.GameExe10c);
    }
}
