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
    QString Path(const QString& name) const { return m_folder.filePath(name); }
    QString To(const QString& name) const { return m_folder.filePath(QStringLiteral("to/") + name); }

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
    Write(Path("a.mgx"), "new bytes");
    SetOldTime(Path("a.mgx"));
    ::chmod(QFile::encodeName(Path("a.mgx")).constData(), 0640);
    Write(To("a.mgx"), "good old file");

    EXPECT_EQ(FileTransfer::CopyFile(Path("a.mgx"), To("a.mgx"), false), FileResult::TargetExists);
    EXPECT_EQ(Read(To("a.mgx")), QByteArray("good old file"));

    EXPECT_EQ(FileTransfer::CopyFile(Path("a.mgx"), To("a.mgx"), true), FileResult::Ok);
    EXPECT_EQ(Read(To("a.mgx")), QByteArray("new bytes"));
    EXPECT_EQ(ModificationSeconds(To("a.mgx")), 1000000000);
    EXPECT_EQ(QFileInfo(To("a.mgx")).permissions() & 0x0777, QFileInfo(Path("a.mgx")).permissions() & 0x0777);

    EXPECT_EQ(FileTransfer::CopyFile(Path("a.mgx"), To("b.mgx"), false), FileResult::Ok);
    EXPECT_EQ(Names(Path("to")), (QStringList{"a.mgx", "b.mgx"})) << "no temporary file stays behind";
    // A copy onto itself goes through a temporary file and keeps the bytes.
    EXPECT_EQ(FileTransfer::CopyFile(Path("a.mgx"), Path("a.mgx"), true), FileResult::Ok);
    EXPECT_EQ(Read(Path("a.mgx")), QByteArray("new bytes"));
}

TEST_F(FileTransferTest, FoldersAreNeitherCopiedNorDeletedButMoveAndRename)
{
    QDir(Path(".")).mkpath(QStringLiteral("saves/inner"));
    Write(Path("saves/inner/r.mgx"), "record");
    EXPECT_EQ(FileTransfer::CopyFile(Path("saves"), To("saves"), false), FileResult::NotAFile);
    EXPECT_EQ(FileTransfer::DeleteFile(Path("saves")), FileResult::NotAFile);
    EXPECT_EQ(Names(Path("to")), QStringList{});

    EXPECT_EQ(FileTransfer::RenameEntry(Path("saves"), Path("kept")), FileResult::Ok);
    EXPECT_EQ(FileTransfer::MoveEntry(Path("kept"), To("kept")), FileResult::Ok);
    EXPECT_EQ(Read(To("kept/inner/r.mgx")), QByteArray("record"));

    Write(Path("gone.mgx"), "x");
    EXPECT_EQ(FileTransfer::DeleteFile(Path("gone.mgx")), FileResult::Ok);
    EXPECT_FALSE(QFileInfo::exists(Path("gone.mgx")));
    EXPECT_EQ(FileTransfer::DeleteFile(Path("gone.mgx")), FileResult::Failed);
}

TEST_F(FileTransferTest, MoveAndRenameNeverReplaceAnExistingName)
{
    Write(Path("a.mgx"), "a");
    Write(Path("b.mgx"), "b");
    Write(To("a.mgx"), "other a");
    QDir(Path(".")).mkdir(QStringLiteral("d"));

    EXPECT_EQ(FileTransfer::RenameEntry(Path("a.mgx"), Path("b.mgx")), FileResult::TargetExists);
    EXPECT_EQ(FileTransfer::MoveEntry(Path("a.mgx"), To("a.mgx")), FileResult::TargetExists);
    EXPECT_EQ(FileTransfer::RenameEntry(Path("d"), Path("b.mgx")), FileResult::TargetExists);
    EXPECT_EQ(FileTransfer::MoveEntry(Path("a.mgx"), Path("a.mgx")), FileResult::TargetExists);
    EXPECT_EQ(Read(Path("a.mgx")), QByteArray("a"));
    EXPECT_EQ(Read(Path("b.mgx")), QByteArray("b"));
    EXPECT_EQ(Read(To("a.mgx")), QByteArray("other a"));
    EXPECT_EQ(FileTransfer::MoveEntry(Path("missing.mgx"), To("missing.mgx")), FileResult::Failed);
}

TEST_F(FileTransferTest, TheLinkFallbackRefusesATakenNameToo)
{
    Write(Path("a.mgx"), "a");
    Write(Path("b.mgx"), "b");
    PosixFiles::UniqueFd folder = PosixFiles::OpenFolder(m_folder.path());
    EXPECT_EQ(PosixFiles::LinkThenUnlink(folder.Get(), "a.mgx", folder.Get(), "b.mgx"), EEXIST);
    EXPECT_EQ(Read(Path("b.mgx")), QByteArray("b"));
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
    Write(Path("r.mgx"), record);
    SetOldTime(Path("r.mgx"));
    Write(Path("taken.mgx"), "mine");
    Write(target.filePath("taken.mgx"), "theirs");
    QDir(Path(".")).mkdir(QStringLiteral("d"));

    EXPECT_EQ(FileTransfer::MoveEntry(Path("r.mgx"), target.filePath("r.mgx")), FileResult::Ok);
    EXPECT_FALSE(QFileInfo::exists(Path("r.mgx")));
    EXPECT_EQ(Read(target.filePath("r.mgx")), record);
    EXPECT_EQ(ModificationSeconds(target.filePath("r.mgx")), 1000000000);

    EXPECT_EQ(FileTransfer::MoveEntry(Path("taken.mgx"), target.filePath("taken.mgx")), FileResult::TargetExists);
    EXPECT_EQ(Read(Path("taken.mgx")), QByteArray("mine"));
    EXPECT_EQ(Read(target.filePath("taken.mgx")), QByteArray("theirs"));
    EXPECT_EQ(FileTransfer::MoveEntry(Path("d"), target.filePath("d")), FileResult::Failed);
    EXPECT_TRUE(QFileInfo(Path("d")).isDir());
    EXPECT_EQ(Names(target.path()), (QStringList{"r.mgx", "taken.mgx"}));
}

TEST_F(FileTransferTest, AReadOnlyTargetChangesNothing)
{
    // Root writes into any folder whatever its mode; only a read-only mount stops it.
    SmallMount mount(1 << 20, true);
    QString target = mount.Path();
    if (!mount.IsMounted()) {
        if (::geteuid() == 0)
            GTEST_SKIP() << "cannot mount a read-only file system here";
        target = Path("read-only");
        QDir().mkpath(target);
        ::chmod(QFile::encodeName(target).constData(), 0555);
    }
    Write(Path("r.mgx"), "record");
    EXPECT_EQ(FileTransfer::CopyFile(Path("r.mgx"), target + "/r.mgx", false), FileResult::Failed);
    EXPECT_EQ(FileTransfer::MoveEntry(Path("r.mgx"), target + "/r.mgx"), FileResult::Failed);
    EXPECT_EQ(Read(Path("r.mgx")), QByteArray("record"));
    EXPECT_EQ(Names(target), QStringList{});
}

TEST_F(FileTransferTest, AMoveWhoseSourceCannotBeRemovedTakesItsCopyBack)
{
    SmallMount mount(1 << 20, false);
    if (!mount.IsMounted())
        GTEST_SKIP() << "cannot mount a file system here";
    Write(mount.Path() + "/r.mgx", "record");
    ASSERT_TRUE(mount.Remount(true));
    EXPECT_EQ(FileTransfer::MoveEntry(mount.Path() + "/r.mgx", To("r.mgx")), FileResult::Failed);
    EXPECT_EQ(Read(mount.Path() + "/r.mgx"), QByteArray("record"));
    EXPECT_EQ(Names(Path("to")), QStringList{});
}

TEST_F(FileTransferTest, AFullDiskLeavesNoHalfFileAndKeepsTheOldOne)
{
    const QByteArray record = RecordBytes();
    Write(Path("r.mgx"), record);
    Write(To("old.mgx"), "good old file");
    const auto copy = [&](const QString& target, bool overwrite) {
        return InChildWithFileSizeLimit(rlim_t(record.size() / 2), [=, this] {
            return int(FileTransfer::CopyFile(Path("r.mgx"), target, overwrite));
        });
    };
    EXPECT_EQ(copy(To("new.mgx"), false), int(FileResult::Failed));
    EXPECT_EQ(copy(To("old.mgx"), true), int(FileResult::Failed));
    EXPECT_EQ(Names(Path("to")), QStringList{"old.mgx"});
    EXPECT_EQ(Read(To("old.mgx")), QByteArray("good old file"));
    EXPECT_EQ(Read(Path("r.mgx")), record);

    SmallMount small(64 * 1024, false);
    if (!small.IsMounted())
        return;
    EXPECT_EQ(FileTransfer::MoveEntry(Path("r.mgx"), small.Path() + "/r.mgx"), FileResult::Failed);
    EXPECT_EQ(Read(Path("r.mgx")), record);
    EXPECT_EQ(Names(small.Path()), QStringList{});
}
