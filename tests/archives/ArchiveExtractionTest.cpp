// Copying entries out of Zip and RAR archives: whole files under their own names, folders with
// their contents, never over an existing file unless asked, never outside the chosen folder.
#include "ArchiveExtraction.h"
#include "ArchiveTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace ArchiveFixtures;
using namespace TestFiles;

namespace {

class ArchiveExtractionTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir(m_root.path()).mkpath("to");
    }
    QString Archive(const QList<Entry>& entries)
    {
        const QString path = m_root.filePath(QStringLiteral("cup.") + GetParam());
        WriteArchive(path, entries);
        return path;
    }
    QString To(const QString& name = {}) const { return m_root.filePath("to/" + name); }
    ArchiveResult Extract(const QString& path, const QString& entry, bool overwrite = false)
    {
        m_failed.clear();
        return ExtractArchiveEntry(path, entry, To(), overwrite, &m_failed);
    }

    QTemporaryDir m_root;
    QString m_failed;
};

} // namespace

TEST_P(ArchiveExtractionTest, AFileLandsUnderItsOwnNameAndNeverOverAnotherSilently)
{
    const QString path = Archive({{"final/g1.mgx", "game one"}, {"final/g2.mgx", "game two"}});
    EXPECT_EQ(Extract(path, "final/g1.mgx"), ArchiveResult::Ok);
    EXPECT_EQ(Read(To("g1.mgx")), QByteArray("game one"));
    EXPECT_EQ(QFileInfo(To("g1.mgx")).lastModified(), QDateTime(QDate(2025, 1, 11), QTime(13, 33, 34)));

    Write(To("g2.mgx"), "mine");
    EXPECT_EQ(Extract(path, "final/g2.mgx"), ArchiveResult::TargetExists);
    EXPECT_EQ(m_failed, To("g2.mgx"));
    EXPECT_EQ(Read(To("g2.mgx")), QByteArray("mine"));
    EXPECT_EQ(Extract(path, "final/g2.mgx", true), ArchiveResult::Ok);
    EXPECT_EQ(Read(To("g2.mgx")), QByteArray("game two"));

    EXPECT_EQ(Extract(path, "final/none.mgx"), ArchiveResult::NoSuchEntry);
    EXPECT_EQ(Names(To()), QStringList({"g1.mgx", "g2.mgx"})); // no temporary file left behind
}

TEST_P(ArchiveExtractionTest, AFolderComesWithEverythingInIt)
{
    const QString path = Archive({{"final/", {}, true},
                                  {"final/g1.mgx", "one"},
                                  {"final/round 2/g2.mgx", "two"},
                                  {"final/round 2/empty/", {}, true},
                                  {"other.mgx", "not asked for"}});
    EXPECT_EQ(Extract(path, "final"), ArchiveResult::Ok);
    EXPECT_EQ(Names(To()), QStringList({"final"}));
    EXPECT_EQ(Read(To("final/g1.mgx")), QByteArray("one"));
    EXPECT_EQ(Read(To("final/round 2/g2.mgx")), QByteArray("two"));
    EXPECT_TRUE(QFileInfo(To("final/round 2/empty")).isDir());

    // Again: the folder is there, its first file is not replaced without being asked.
    EXPECT_EQ(Extract(path, "final"), ArchiveResult::TargetExists);
    EXPECT_EQ(m_failed, To("final/g1.mgx"));
    EXPECT_EQ(Extract(path, "final", true), ArchiveResult::Ok);
}

TEST_P(ArchiveExtractionTest, HostileNamesLandNowhereOutsideTheTarget)
{
    const QString path = Archive({{"evil/../../../up.mgx", "x"},
                                  {"evil/ok.mgx", "fine"},
                                  {"/tmp/evil-abs.mgx", "x"},
                                  {"evil\\..\\..\\back.mgx", "x"},
                                  {"../climb.mgx", "x"}});
    const QStringList around = Names(m_root.path());
    EXPECT_EQ(Extract(path, "evil"), ArchiveResult::Ok);
    EXPECT_EQ(Read(To("evil/ok.mgx")), QByteArray("fine"));
    EXPECT_EQ(Names(To("evil")), QStringList({"ok.mgx"}));
    EXPECT_EQ(Names(To()), QStringList({"evil"}));
    EXPECT_EQ(Names(m_root.path()), around);
    for (const char* name : {"../climb.mgx", "climb.mgx", "/tmp/evil-abs.mgx", "tmp/evil-abs.mgx", ".."})
        EXPECT_EQ(Extract(path, name), ArchiveResult::NoSuchEntry) << name;
    EXPECT_FALSE(QFileInfo::exists("/tmp/evil-abs.mgx"));
    EXPECT_EQ(Names(m_root.path()), around);
}

TEST_P(ArchiveExtractionTest, ALinkPlantedInTheTargetIsNotFollowed)
{
    const QString path = Archive({{"final/g1.mgx", "one"}});
    QDir(m_root.path()).mkdir("elsewhere");
    ASSERT_EQ(::symlink(m_root.filePath("elsewhere").toUtf8().constData(), To("final").toUtf8().constData()), 0);
    EXPECT_EQ(Extract(path, "final"), ArchiveResult::CannotWrite);
    EXPECT_TRUE(Names(m_root.filePath("elsewhere")).isEmpty());
}

TEST_P(ArchiveExtractionTest, ADamagedArchiveOrAnUnwritableTargetLeavesNothingPartial)
{
    const QString path = Archive({{"g1.mgx", QByteArray(200 * 1024, 'g')}});
    QByteArray bytes = *Read(path);
    Write(path, bytes.left(bytes.size() - 1000));
    EXPECT_NE(Extract(path, "g1.mgx"), ArchiveResult::Ok);
    EXPECT_TRUE(Names(To()).isEmpty());
    EXPECT_EQ(ExtractArchiveEntry(Archive({{"g1.mgx", "x"}}), "g1.mgx", m_root.filePath("missing"), false),
              ArchiveResult::CannotWrite);
}

INSTANTIATE_TEST_SUITE_P(ZipAndRar, ArchiveExtractionTest, ::testing::Values("zip", "rar"));

TEST(ArchiveExtractionLimitTest, AnOversizedEntryIsNotWritten)
{
    QTemporaryDir dir;
    RawZipEntry declared("bomb.mgx", "small");
    declared.declaredSize = quint32(MaxArchiveEntrySize + 1);
    Write(dir.filePath("bomb.zip"), BuildZip({declared}));
    QDir(dir.path()).mkdir("to");
    EXPECT_EQ(ExtractArchiveEntry(dir.filePath("bomb.zip"), "bomb.mgx", dir.filePath("to"), false), ArchiveResult::TooLarge);
    EXPECT_TRUE(Names(dir.filePath("to")).isEmpty());
}
