#include "FileTransfer.h"
#include "PosixFiles.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace TestFiles;

namespace {

class FileTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        QDir(m_folder.path()).mkdir(QStringLiteral("to"));
    }
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QString to(const QString& name) const { return m_folder.filePath(QStringLiteral("to/") + name); }

    QTemporaryDir m_folder;
};

qint64 ModificationSeconds(const QString& path)
{
    return QFileInfo(path).lastModified().toSecsSinceEpoch();
}

void SetOldTime(const QString& path)
{
    const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// Runs body in a child process whose files may not grow past limit bytes, with the signal for
// that ignored so the write fails instead; returns what body returned.
int InChildWithFileSizeLimit(rlim_t limit, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit size {limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST_F(FileTransferTest, CopyReplacesOnlyWhenAskedAndKeepsTimeAndMode)
{
    Write(path("a.mgx"), "new bytes");
    SetOldTime(path("a.mgx"));
    ::chmod(QFile::encodeName(path("a.mgx")).constData(), 0640);
    Write(to("a.mgx"), "good old file");

    EXPECT_EQ(FileTransfer::CopyFile(path("a.mgx"), to("a.mgx"), false), FileResult::TargetExists);
    EXPECT_EQ(Read(to("a.mgx")), QByteArray("good old file"));

    EXPECT_EQ(FileTransfer::CopyFile(path("a.mgx"), to("a.mgx"), true), FileResult::Ok);
    EXPECT_EQ(Read(to("a.mgx")), QByteArray("new bytes"));
    EXPECT_EQ(ModificationSeconds(to("a.mgx")), 1000000000);
    EXPECT_EQ(QFileInfo(to("a.mgx")).permissions() & 0x0777, QFileInfo(path("a.mgx")).permissions() & 0x0777);

    EXPECT_EQ(FileTransfer::CopyFile(path("a.mgx"), to("b.mgx"), false), FileResult::Ok);
    EXPECT_EQ(Names(path("to")), (QStringList{"a.mgx", "b.mgx"})) << "no temporary file stays behind";
    // A copy onto itself goes through a temporary file and keeps the bytes.
    EXPECT_EQ(FileTransfer::CopyFile(path("a.mgx"), path("a.mgx"), true), FileResult::Ok);
    EXPECT_EQ(Read(path("a.mgx")), QByteArray("new bytes"));
}

TEST_F(FileTransferTest, FoldersAreNeitherCopiedNorDeletedButMoveAndRename)
{
    QDir(path(".")).mkpath(QStringLiteral("saves/inner"));
    Write(path("saves/inner/r.mgx"), "record");
    EXPECT_EQ(FileTransfer::CopyFile(path("saves"), to("saves"), false), FileResult::NotAFile);
    EXPECT_EQ(FileTransfer::DeleteFile(path("saves")), FileResult::NotAFile);
    EXPECT_EQ(Names(path("to")), QStringList{});

    EXPECT_EQ(FileTransfer::RenameEntry(path("saves"), path("kept")), FileResult::Ok);
    EXPECT_EQ(FileTransfer::MoveEntry(path("kept"), to("kept")), FileResult::Ok);
    EXPECT_EQ(Read(to("kept/inner/r.mgx")), QByteArray("record"));

    Write(path("gone.mgx"), "x");
    EXPECT_EQ(FileTransfer::DeleteFile(path("gone.mgx")), FileResult::Ok);
    EXPECT_FALSE(QFileInfo::exists(path("gone.mgx")));
    EXPECT_EQ(FileTransfer::DeleteFile(path("gone.mgx")), FileResult::Failed);
}

TEST_F(FileTransferTest, MoveAndRenameNeverReplaceAnExistingName)
{
    Write(path("a.mgx"), "a");
    Write(path("b.mgx"), "b");
    Write(to("a.mgx"), "other a");
    QDir(path(".")).mkdir(QStringLiteral("d"));

    EXPECT_EQ(FileTransfer::RenameEntry(path("a.mgx"), path("b.mgx")), FileResult::TargetExists);
    EXPECT_EQ(FileTransfer::MoveEntry(path("a.mgx"), to("a.mgx")), FileResult::TargetExists);
    EXPECT_EQ(FileTransfer::RenameEntry(path("d"), path("b.mgx")), FileResult::TargetExists);
    EXPECT_EQ(FileTransfer::MoveEntry(path("a.mgx"), path("a.mgx")), FileResult::TargetExists);
    EXPECT_EQ(Read(path("a.mgx")), QByteArray("a"));
    EXPECT_EQ(Read(path("b.mgx")), QByteArray("b"));
    EXPECT_EQ(Read(to("a.mgx")), QByteArray("other a"));
    EXPECT_EQ(FileTransfer::MoveEntry(path("missing.mgx"), to("missing.mgx")), FileResult::Failed);
}

TEST_F(FileTransferTest, TheLinkFallbackRefusesATakenNameToo)
{
    Write(path("a.mgx"), "a");
    Write(path("b.mgx"), "b");
    PosixFiles::UniqueFd folder = PosixFiles::OpenFolder(m_folder.path());
    EXPECT_EQ(PosixFiles::LinkThenUnlink(folder.Get(), "a.mgx", folder.Get(), "b.mgx"), EEXIST);
    EXPECT_EQ(Read(path("b.mgx")), QByteArray("b"));
    EXPECT_EQ(PosixFiles::LinkThenUnlink(folder.Get(), "a.mgx", folder.Get(), "c.mgx"), 0);
    EXPECT_EQ(Names(m_folder.path()), (QStringList{"b.mgx", "c.mgx", "to"}));
}

TEST_F(FileTransferTest, MoveAcrossFileSystemsCopiesChecksThenRemoves)
{
    const std::optional<QString> other = OtherFileSystemFolder();
    if (!other)
        GTEST_SKIP() << "no second file system";
    QTemporaryDir target(*other + QStringLiteral("/korvale-XXXXXX"));
    ASSERT_TRUE(target.isValid());
    const QByteArray record = RecordBytes();
    Write(path("r.mgx"), record);
    SetOldTime(path("r.mgx"));
    Write(path("taken.mgx"), "mine");
    Write(target.filePath("taken.mgx"), "theirs");
    QDir(path(".")).mkdir(QStringLiteral("d"));

    EXPECT_EQ(FileTransfer::MoveEntry(path("r.mgx"), target.filePath("r.mgx")), FileResult::Ok);
    EXPECT_FALSE(QFileInfo::exists(path("r.mgx")));
    EXPECT_EQ(Read(target.filePath("r.mgx")), record);
    EXPECT_EQ(ModificationSeconds(target.filePath("r.mgx")), 1000000000);

    EXPECT_EQ(FileTransfer::MoveEntry(path("taken.mgx"), target.filePath("taken.mgx")), FileResult::TargetExists);
    EXPECT_EQ(Read(path("taken.mgx")), QByteArray("mine"));
    EXPECT_EQ(Read(target.filePath("taken.mgx")), QByteArray("theirs"));
    EXPECT_EQ(FileTransfer::MoveEntry(path("d"), target.filePath("d")), FileResult::Failed);
    EXPECT_TRUE(QFileInfo(path("d")).isDir());
    EXPECT_EQ(Names(target.path()), (QStringList{"r.mgx", "taken.mgx"}));
}

TEST_F(FileTransferTest, AReadOnlyTargetChangesNothing)
{
    // Root writes into any folder whatever its mode; only a read-only mount stops it.
    SmallMount mount(1 << 20, true);
    QString target = mount.path();
    if (!mount.isMounted()) {
        if (::geteuid() == 0)
            GTEST_SKIP() << "cannot mount a read-only file system here";
        target = path("read-only");
        QDir().mkpath(target);
        ::chmod(QFile::encodeName(target).constData(), 0555);
    }
    Write(path("r.mgx"), "record");
    EXPECT_EQ(FileTransfer::CopyFile(path("r.mgx"), target + "/r.mgx", false), FileResult::Failed);
    EXPECT_EQ(FileTransfer::MoveEntry(path("r.mgx"), target + "/r.mgx"), FileResult::Failed);
    EXPECT_EQ(Read(path("r.mgx")), QByteArray("record"));
    EXPECT_EQ(Names(target), QStringList{});
}

TEST_F(FileTransferTest, AMoveWhoseSourceCannotBeRemovedTakesItsCopyBack)
{
    SmallMount mount(1 << 20, false);
    if (!mount.isMounted())
        GTEST_SKIP() << "cannot mount a file system here";
    Write(mount.path() + "/r.mgx", "record");
    ASSERT_TRUE(mount.remount(true));
    EXPECT_EQ(FileTransfer::MoveEntry(mount.path() + "/r.mgx", to("r.mgx")), FileResult::Failed);
    EXPECT_EQ(Read(mount.path() + "/r.mgx"), QByteArray("record"));
    EXPECT_EQ(Names(path("to")), QStringList{});
}

TEST_F(FileTransferTest, AFullDiskLeavesNoHalfFileAndKeepsTheOldOne)
{
    const QByteArray record = RecordBytes();
    Write(path("r.mgx"), record);
    Write(to("old.mgx"), "good old file");
    const auto copy = [&](const QString& target, bool overwrite) {
        return InChildWithFileSizeLimit(rlim_t(record.size() / 2), [=, this] {
            return int(FileTransfer::CopyFile(path("r.mgx"), target, overwrite));
        });
    };
    EXPECT_EQ(copy(to("new.mgx"), false), int(FileResult::Failed));
    EXPECT_EQ(copy(to("old.mgx"), true), int(FileResult::Failed));
    EXPECT_EQ(Names(path("to")), QStringList{"old.mgx"});
    EXPECT_EQ(Read(to("old.mgx")), QByteArray("good old file"));
    EXPECT_EQ(Read(path("r.mgx")), record);

    SmallMount small(64 * 1024, false);
    if (!small.isMounted())
        return;
    EXPECT_EQ(FileTransfer::MoveEntry(path("r.mgx"), small.path() + "/r.mgx"), FileResult::Failed);
    EXPECT_EQ(Read(path("r.mgx")), record);
    EXPECT_EQ(Names(small.path()), QStringList{});
}
