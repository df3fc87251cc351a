// Browsing Zip and RAR archives: where a path leads, one inner folder listed like a plain folder,
// one entry read into memory with its size limit, and hostile or damaged archives.
#include "ArchiveEntryRead.h"
#include "ArchiveListing.h"
#include "ArchiveLocation.h"
#include "ArchiveTestSupport.h"
#include "ListEntryText.h"
#include "RealRecords.h"
#include "RecordLoader.h"
#include "RecordReader.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ArchiveFixtures;
using namespace TestFiles;

namespace {

const QByteArray RecordA = "record a";
const QByteArray RecordB = QByteArray(300 * 1024, 'b');

const QList<Entry> Plain{
    {"a.mgx", RecordA},
    {"notes.txt", "not listed"},
    {"sub/b.MGX", RecordB},
    {"sub/deep/c.mgx", "c"},
    {"Empty/", {}, true},
    {"inner.zip", "PK"},
    {"other.rar", "Rar!"},
};

// Names that climb out, start at the root, hide a separator or carry a control character.
const QList<Entry> Hostile{
    {"../up.mgx", "x"},
    {"/etc/abs.mgx", "x"},
    {"a/../../climb.mgx", "x"},
    {"..\\back.mgx", "x"},
    {"C:drive.mgx", "x"},
    {"bell\x07.mgx", "x"},
    {"ok.mgx", "fine"},
};

struct Listed {
    QString name;
    MgxItemKind kind;
    quint64 size;

    bool operator==(const Listed&) const = default;
};

void PrintTo(const Listed& item, std::ostream* out)
{
    *out << item.name.toStdString() << '/' << int(item.kind) << '/' << item.size;
}

class ArchiveBrowsingTest : public ::testing::TestWithParam<const char*> {
protected:
    QString Archive(const QList<Entry>& entries)
    {
        const QString path = m_dir.filePath(QStringLiteral("cup.") + GetParam());
        WriteArchive(path, entries);
        return QDir::toNativeSeparators(path);
    }

    std::vector<Listed> List(const QString& path, const QString& inner, ArchiveResult expected = ArchiveResult::Ok)
    {
        QList<MgxListItem> items;
        EXPECT_EQ(ListArchiveFolder({path, inner}, QLocale::c(), items), expected);
        std::vector<Listed> listed;
        for (const MgxListItem& item : items)
            listed.push_back({item.name, item.kind, item.size});
        return listed;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_P(ArchiveBrowsingTest, ListsTheRootAndAnInnerFolderLikePlainFolders)
{
    const QString path = Archive(Plain);
    QList<MgxListItem> items;
    ASSERT_EQ(ListArchiveFolder({path, {}}, QLocale::c(), items), ArchiveResult::Ok);
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[0].name, "a.mgx");
    EXPECT_EQ(items[0].fullPath, path + "/a.mgx");
    EXPECT_EQ(items[0].size, quint64(RecordA.size()));
    EXPECT_EQ(items[0].sizeText, FormatSizeText(RecordA.size(), QLocale::c()));
    EXPECT_EQ(items[0].timeText, FormatTimeText(QDateTime(QDate(2025, 1, 11), QTime(13, 33, 34))));
    EXPECT_EQ(List(path, {}), (std::vector<Listed>{{"a.mgx", MgxItemKind::Record, quint64(RecordA.size())},
                                                   {"sub", MgxItemKind::Folder, 0},
                                                   {"Empty", MgxItemKind::Folder, 0},
                                                   {"inner.zip", MgxItemKind::Zip, 2},
                                                   {"other.rar", MgxItemKind::Rar, 4}}));

    items.clear();
    ASSERT_EQ(ListArchiveFolder({path, "sub"}, QLocale::c(), items), ArchiveResult::Ok);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].fullPath, path + "/sub/b.MGX");
    EXPECT_EQ(items[1].fullPath, path + "/sub/deep");
    EXPECT_EQ(List(path, "sub/deep"), (std::vector<Listed>{{"c.mgx", MgxItemKind::Record, 1}}));
    EXPECT_TRUE(List(path, "Empty").empty());
    List(path, "nowhere", ArchiveResult::NoSuchFolder);
    List(path, "a.mgx", ArchiveResult::NoSuchFolder);
}

TEST_P(ArchiveBrowsingTest, HostileNamesAreNeitherListedNorRead)
{
    const QString path = Archive(Hostile);
    std::vector<Listed> listed = List(path, {});
    // "C:drive.mgx" could name a drive where archives are unpacked; it is refused everywhere.
    EXPECT_EQ(listed, (std::vector<Listed>{{"ok.mgx", MgxItemKind::Record, 4}}));
    std::vector<std::uint8_t> bytes;
    for (const char* name : {"../up.mgx", "up.mgx", "/etc/abs.mgx", "etc/abs.mgx", "climb.mgx", "back.mgx"})
        EXPECT_EQ(ReadArchiveEntry(path, name, bytes), ArchiveResult::NoSuchEntry) << name;
    EXPECT_EQ(ReadArchiveEntry(path, "ok.mgx", bytes), ArchiveResult::Ok);
}

TEST_P(ArchiveBrowsingTest, GbkAndUtf8NamesAreBothRead)
{
    QStringEncoder gbk("GBK");
    ASSERT_TRUE(gbk.isValid());
    const QByteArray gbkName = gbk.encode(QStringLiteral("决赛/第一局.mgx"));
    const QString path = Archive({{gbkName, "gbk"}, {QStringLiteral("半决赛.mgx").toUtf8(), "utf8"}});
    EXPECT_EQ(List(path, {}), (std::vector<Listed>{{"决赛", MgxItemKind::Folder, 0}, {"半决赛.mgx", MgxItemKind::Record, 4}}));
    EXPECT_EQ(List(path, "决赛"), (std::vector<Listed>{{"第一局.mgx", MgxItemKind::Record, 3}}));
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadArchiveEntry(path, "决赛/第一局.mgx", bytes), ArchiveResult::Ok);
    EXPECT_EQ(bytes, Bytes("gbk"));
}

TEST_P(ArchiveBrowsingTest, ReadsOneEntryIntoMemory)
{
    const QString path = Archive(Plain);
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(ReadArchiveEntry(path, "sub/b.MGX", bytes), ArchiveResult::Ok);
    EXPECT_EQ(bytes, Bytes(RecordB));
    ASSERT_EQ(ReadArchiveEntry(path, "a.mgx", bytes), ArchiveResult::Ok);
    EXPECT_EQ(bytes, Bytes(RecordA));
    EXPECT_EQ(ReadArchiveEntry(path, "sub/missing.mgx", bytes), ArchiveResult::NoSuchEntry);
    EXPECT_EQ(ReadArchiveEntry(path, "Empty", bytes), ArchiveResult::NoSuchEntry);
    EXPECT_TRUE(bytes.empty());
}

TEST_P(ArchiveBrowsingTest, ARealRecordReadFromTheArchiveIsTheRecordOfItsFile)
{
    KORVALE_NEED_REAL_RECORDS();
    const std::string file = korvale::test::RealRecordPath("aoc10a_4v4_arabia_gbk.mgx");
    const std::optional<QByteArray> record = Read(QString::fromStdString(file));
    ASSERT_TRUE(record);
    const QString path = Archive({{"final/game.mgx", *record}});
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(ReadArchiveEntry(path, "final/game.mgx", bytes), ArchiveResult::Ok);
    Mgx::RecordReader reader;
    const Mgx::GameRecord fromArchive = reader.LoadBytes(bytes, (path + "/final/game.mgx").toStdString());
    EXPECT_EQ(fromArchive.chapters, Mgx::LoadRecordFile(file).chapters);
    EXPECT_EQ(fromArchive.FullPath(), (path + "/final/game.mgx").toStdString());
}

TEST_P(ArchiveBrowsingTest, ADamagedArchiveSaysSo)
{
    const QString path = Archive(Plain);
    QByteArray bytes = *Read(path);
    Write(path, bytes.left(bytes.size() / 2));
    std::vector<std::uint8_t> read;
    QList<MgxListItem> items;
    EXPECT_EQ(ListArchiveFolder({path, {}}, QLocale::c(), items), ArchiveResult::Damaged);
    Write(path, "neither zip nor rar");
    EXPECT_EQ(ListArchiveFolder({path, {}}, QLocale::c(), items), ArchiveResult::Damaged);
    EXPECT_EQ(ReadArchiveEntry(path, "a.mgx", read), ArchiveResult::Damaged);
    EXPECT_TRUE(items.isEmpty());
    EXPECT_EQ(ReadArchiveEntry(m_dir.filePath("missing.zip"), "a.mgx", read), ArchiveResult::Damaged);
}

INSTANTIATE_TEST_SUITE_P(ZipAndRar, ArchiveBrowsingTest, ::testing::Values("zip", "rar"));

TEST(ArchiveSizeLimitTest, ADeclaredOversizeIsRefusedUnread)
{
    QTemporaryDir dir;
    RawZipEntry zipped("big.mgx", "small");
    zipped.declaredSize = quint32(MaxArchiveEntrySize + 1);
    Write(dir.filePath("big.zip"), BuildZip({zipped}));
    korvale::test::RarStoreEntry stored;
    stored.name = "big.mgx";
    stored.data = Bytes("small");
    stored.declaredSize = std::uint32_t(100u << 20);
    const std::vector<std::uint8_t> rar = korvale::test::BuildRarStore({stored});
    Write(dir.filePath("big.rar"), QByteArray(reinterpret_cast<const char*>(rar.data()), qsizetype(rar.size())));
    for (const char* name : {"big.zip", "big.rar"}) {
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(ReadArchiveEntry(dir.filePath(name), "big.mgx", bytes), ArchiveResult::TooLarge) << name;
        EXPECT_TRUE(bytes.empty());
    }
}

// The archive without its central directory, so it can only be read entry by entry from the front.
QByteArray WithoutDirectory(const QByteArray& zip)
{
    const QByteArray end = zip.right(22);
    const quint32 directory = quint32(quint8(end[16])) | quint32(quint8(end[17])) << 8 | quint32(quint8(end[18])) << 16
        | quint32(quint8(end[19])) << 24;
    return zip.left(qsizetype(directory));
}

TEST(ArchiveSizeLimitTest, ASizeThatLiesStopsTheReadAtTheLimit)
{
    QTemporaryDir dir;
    // Deflated zeros whose sizes follow the data (flag bit 3): nothing is declared, so only the
    // reading itself can stop them.
    constexpr quint16 SizesAfterData = 0x0008;
    RawZipEntry zeros("zeros.mgx", QByteArray(qsizetype(MaxArchiveEntrySize + (1 << 20)), '\0'), SizesAfterData, {}, true, 0);
    zeros.declaredSize = 0;
    Write(dir.filePath("stream.zip"), WithoutDirectory(BuildZip({zeros})));
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadArchiveEntry(dir.filePath("stream.zip"), "zeros.mgx", bytes), ArchiveResult::TooLarge);
    EXPECT_TRUE(bytes.empty());

    // Exactly the limit is fine.
    RawZipEntry exact("exact.mgx", QByteArray(qsizetype(MaxArchiveEntrySize), 'y'), 0, {}, true);
    // Deflated zeros that run past the size they declare in the directory.
    RawZipEntry inflating("inflating.mgx", QByteArray(qsizetype(MaxArchiveEntrySize + 1), '\0'), 0, {}, true);
    inflating.declaredSize = 1000;
    Write(dir.filePath("bomb.zip"), BuildZip({exact, inflating}));
    EXPECT_EQ(ReadArchiveEntry(dir.filePath("bomb.zip"), "exact.mgx", bytes), ArchiveResult::Ok);
    EXPECT_EQ(bytes.size(), std::size_t(MaxArchiveEntrySize));
    EXPECT_NE(ReadArchiveEntry(dir.filePath("bomb.zip"), "inflating.mgx", bytes), ArchiveResult::Ok);
    EXPECT_TRUE(bytes.empty());

    // A stored RAR entry that declares less than it holds is not read to its end.
    korvale::test::RarStoreEntry cut;
    cut.name = "bomb.mgx";
    cut.data.resize(std::size_t(MaxArchiveEntrySize + 1));
    cut.declaredSize = 1000;
    const std::vector<std::uint8_t> rar = korvale::test::BuildRarStore({cut});
    Write(dir.filePath("bomb.rar"), QByteArray(reinterpret_cast<const char*>(rar.data()), qsizetype(rar.size())));
    ReadArchiveEntry(dir.filePath("bomb.rar"), "bomb.mgx", bytes);
    EXPECT_LT(bytes.size(), std::size_t(1) << 20);
}

TEST(ArchiveLocationTest, FindsTheArchiveAPathLeadsInto)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    Write(root + "/cup.zip", Zip({{"a.mgx", "a"}}));
    Write(root + "/Cup.RAR", Rar({{"a.mgx", "a"}}));
    Write(root + "/notes.txt", "x");
    QDir(root).mkpath("looks.zip/inside");

    EXPECT_EQ(LocateArchive(root + "/cup.zip"), (ArchiveLocation{root + "/cup.zip", {}}));
    EXPECT_EQ(LocateArchive(root + "/cup.zip/"), (ArchiveLocation{root + "/cup.zip", {}}));
    EXPECT_EQ(LocateArchive(root + "/cup.zip/final/round 2"), (ArchiveLocation{root + "/cup.zip", "final/round 2"}));
    EXPECT_EQ(LocateArchive(root + "/Cup.RAR/x"), (ArchiveLocation{root + "/Cup.RAR", "x"}));
    EXPECT_EQ(LocateArchive(root + "/cup.zip/a/../b"), (ArchiveLocation{root + "/cup.zip", "b"}));
    // A folder named like an archive, a plain file, something missing, a relative path: none.
    EXPECT_FALSE(LocateArchive(root + "/looks.zip/inside"));
    EXPECT_FALSE(LocateArchive(root + "/notes.txt/x"));
    EXPECT_FALSE(LocateArchive(root + "/gone.zip"));
    EXPECT_FALSE(LocateArchive(root));
    EXPECT_FALSE(LocateArchive("cup.zip"));

    const ArchiveLocation inner{root + "/cup.zip", "final/round 2"};
    EXPECT_EQ(inner.ListingPath(), root + "/cup.zip/final/round 2");
    EXPECT_EQ(inner.EntryName("g.mgx"), "final/round 2/g.mgx");
    EXPECT_EQ((ArchiveLocation{root + "/cup.zip", {}}).EntryName("g.mgx"), "g.mgx");
}
