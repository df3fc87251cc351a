// Hostile archives, each with the outcome it must have on every path that reads archives: unpack,
// browse and copy-to. Whatever an archive says, nothing lands outside the chosen folder, no damaged
// entry replaces a file, every refusal is reported, and no temporary file stays.
#include "ArchiveExtraction.h"
#include "ArchiveListing.h"
#include "ArchiveTestSupport.h"
#include "ExtractZipArchive.h"
#include "ProcessRunner.h"
#include "RarExtraction.h"
#include "RecordingProcessRunner.h"
#include "UnpackReport.h"

#include <QDirIterator>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace ArchiveFixtures;
using namespace TestFiles;
using korvale::test::RarStoreEntry;

namespace {

using Tree = std::map<QString, QByteArray>; // relative path → bytes, files only

struct Case {
    const char* title;
    QByteArray zip;                   // or, when empty, the RAR below
    std::vector<RarStoreEntry> rar;
    Tree before;                      // files the folder holds already
    Tree after;                       // the files it must hold after unpacking or copying everything
    QStringList listed;               // what browsing shows at the archive's root
    int failures = 0;                 // entries the unpack reports as failed
};

QByteArray Gbk(const QString& text) { return QStringEncoder("GBK").encode(text); }

std::vector<std::uint8_t> Data(const QByteArray& bytes) { return {bytes.begin(), bytes.end()}; }

RarStoreEntry Rar(const QByteArray& name, const QByteArray& data)
{
    RarStoreEntry entry;
    entry.name = name.toStdString();
    entry.data = Data(data);
    return entry;
}

QByteArray Zeros(qsizetype size) { return QByteArray(size, '\0'); }

// A Zip whose central directory is cut after its first bytes.
QByteArray CutDirectory(const QList<RawZipEntry>& entries)
{
    const QByteArray whole = BuildZip(entries);
    qsizetype directory = whole.indexOf(QByteArray("PK\x01\x02", 4));
    return whole.left(directory + 10);
}

RawZipEntry Deflated(const QByteArray& name, const QByteArray& data)
{
    return RawZipEntry(name, data, 0, {}, true);
}

RawZipEntry Declaring(RawZipEntry entry, quint32 size)
{
    entry.declaredSize = size;
    return entry;
}

RawZipEntry Zip64(const QByteArray& name, const QByteArray& data)
{
    RawZipEntry entry(name, data);
    entry.zip64 = true;
    return entry;
}

RawZipEntry Link(const QByteArray& name, const QByteArray& target)
{
    RawZipEntry entry(name, target);
    entry.unixMode = 0120777;
    return entry;
}

RarStoreEntry RarDeclaring(RarStoreEntry entry, std::uint32_t size)
{
    entry.declaredSize = size;
    return entry;
}

RarStoreEntry RarWithCrc(RarStoreEntry entry, std::uint32_t crc)
{
    entry.crc = crc;
    return entry;
}

const QByteArray Good("good record");
const QByteArray Precious("the player's own file");

QList<Case> Corpus(const QString& root)
{
    const QByteArray absolute = QFile::encodeName(root) + "/absolute.mgx";
    const QByteArray bomb = Zeros((MaxArchiveEntrySize) + 4096);
    const QString chinese = QStringLiteral("中文录像.mgx");
    return {
        {"zip: a NUL byte inside a part climbs no folder",
         BuildZip({{QByteArray("..\0x/..\0x/..\0x/evil.mgx", 23), "evil"}, {"good.mgx", Good}}), {}, {},
         {{"good.mgx", Good}}, {"good.mgx"}, 1},
        {"zip: control bytes in a name",
         BuildZip({{"a\x01.mgx", "x"}, {"b\tc.mgx", "x"}, {"d\x7F.mgx", "x"}, {"good.mgx", Good}}), {}, {},
         {{"good.mgx", Good}}, {"good.mgx"}, 3},
        {"zip: traversal in every spelling",
         BuildZip({{"../t1.mgx", "x"}, {"..\\t2.mgx", "x"}, {absolute, "x"}, {"\\t4.mgx", "x"}, {"C:t5.mgx", "x"},
                   {"C:\\t6.mgx", "x"}, {"a/../../t7.mgx", "x"}, {"./../t8.mgx", "x"}, {"a\\..\\..\\t9.mgx", "x"},
                   {"good.mgx", Good}}),
         {}, {}, {{"good.mgx", Good}}, {"good.mgx"}, 9},
        {"zip: a link is never unpacked nor shown",
         BuildZip({Link("link.mgx", "/etc/passwd"), {"good.mgx", Good}}), {}, {}, {{"good.mgx", Good}}, {"good.mgx"}, 1},
        {"zip: of two entries with one name the first counts; names differing in case are two",
         BuildZip({{"a.mgx", "first"}, {"a.mgx", "second"}, {"A.mgx", "upper"}}), {}, {},
         {{"a.mgx", "first"}, {"A.mgx", "upper"}}, {"a.mgx", "A.mgx"}, 1},
        {"zip: a file and a folder of one name",
         BuildZip({{"x.mgx", "file"}, {"x.mgx/y.mgx", "inside"}}), {}, {}, {{"x.mgx", "file"}}, {"x.mgx"}, 1},
        {"zip: sizes that lie either way and a bad checksum never replace a file",
         BuildZip({Declaring({"more.mgx", "abc"}, 4), Declaring({"less.mgx", "abcd"}, 3),
                   {"crc.mgx", "damaged", 0, {}, false, 0xDEADBEEF}, Declaring(Deflated("deflated.mgx", "abcdef"), 7),
                   {"good.mgx", Good}}),
         {},
         {{"more.mgx", Precious}, {"less.mgx", Precious}, {"crc.mgx", Precious}, {"deflated.mgx", Precious}},
         {{"more.mgx", Precious}, {"less.mgx", Precious}, {"crc.mgx", Precious}, {"deflated.mgx", Precious},
          {"good.mgx", Good}},
         {"more.mgx", "less.mgx", "crc.mgx", "deflated.mgx", "good.mgx"}, 4},
        {"zip: deflated entries inflated whole: sizes that lie either way, a bad checksum, a broken or cut stream",
         BuildZip({Declaring(Deflated("more.mgx", "abcdef"), 7), Declaring(Deflated("less.mgx", "abcdef"), 5),
                   RawZipEntry("crc.mgx", "damaged", 0, {}, true, 0xDEADBEEF),
                   RawZipEntry("broken.mgx", "abcdef", 0, {}, true, std::nullopt, QByteArray("\xFF\xFF\xFF\xFF", 4)),
                   RawZipEntry("cut.mgx", "abcdef", 0, {}, true, std::nullopt, QByteArray("\x4B\x4C\x4A\x4E", 4)),
                   Deflated("good.mgx", Good)}),
         {},
         {{"more.mgx", Precious}, {"less.mgx", Precious}, {"crc.mgx", Precious}, {"broken.mgx", Precious},
          {"cut.mgx", Precious}},
         {{"more.mgx", Precious}, {"less.mgx", Precious}, {"crc.mgx", Precious}, {"broken.mgx", Precious},
          {"cut.mgx", Precious}, {"good.mgx", Good}},
         {"more.mgx", "less.mgx", "crc.mgx", "broken.mgx", "cut.mgx", "good.mgx"}, 5},
        {"zip: a cut central directory still gives the entries before it",
         CutDirectory({{"one.mgx", "one"}, Deflated("two.mgx", Good)}), {}, {}, {{"one.mgx", "one"}, {"two.mgx", Good}},
         {"one.mgx", "two.mgx"}, 0},
        {"zip: Zip64 sizes", BuildZip({Zip64("z64.mgx", QByteArray(500, 'z')), {"good.mgx", Good}}), {}, {},
         {{"z64.mgx", QByteArray(500, 'z')}, {"good.mgx", Good}}, {"z64.mgx", "good.mgx"}, 0},
        {"zip: bombs, honest and lying, are refused before they fill the disk",
         BuildZip({Deflated("honest.mgx", bomb), Declaring(Deflated("liar.mgx", bomb), 1000),
                   Declaring({"huge1.mgx", "x"}, 0xFA000000u), Declaring({"huge2.mgx", "x"}, 0xFA000000u),
                   {"good.mgx", Good}}),
         {}, {}, {{"good.mgx", Good}}, {"honest.mgx", "liar.mgx", "huge1.mgx", "huge2.mgx", "good.mgx"}, 4},
        {"zip: UTF-8 without its flag and GBK without a word decode alike everywhere",
         BuildZip({{chinese.toUtf8(), "utf-8"}, {Gbk(QStringLiteral("录像二.mgx")), "gbk"}}), {}, {},
         {{chinese, "utf-8"}, {QStringLiteral("录像二.mgx"), "gbk"}}, {chinese, QStringLiteral("录像二.mgx")}, 0},
        {"rar: a NUL byte, traversal and control bytes", {},
         {Rar(QByteArray("..\0x\\..\0x\\evil.mgx", 18), "evil"), Rar("..\\t1.mgx", "x"), Rar("\\t2.mgx", "x"),
          Rar("C:\\t3.mgx", "x"), Rar("a\x01.mgx", "x"), Rar("good.mgx", Good)},
         {}, {{"good.mgx", Good}}, {"good.mgx"}, 5},
        {"rar: a bad checksum and a size that lies never replace a file", {},
         {RarWithCrc(Rar("crc.mgx", "damaged"), 0xDEADBEEF), RarDeclaring(Rar("more.mgx", "abc"), 4),
          Rar("good.mgx", Good)},
         {{"crc.mgx", Precious}, {"more.mgx", Precious}},
         {{"crc.mgx", Precious}, {"more.mgx", Precious}, {"good.mgx", Good}}, {"crc.mgx", "more.mgx", "good.mgx"}, 2},
        {"rar: an entry declaring 0xFFFFFFF0 bytes is refused", {},
         {RarDeclaring(Rar("huge.mgx", "x"), 0xFFFFFFF0u), Rar("good.mgx", Good)}, {}, {{"good.mgx", Good}},
         {"huge.mgx", "good.mgx"}, 1},
        {"rar: GBK names land under the name the listing shows; duplicates keep the first", {},
         {Rar(Gbk(chinese), Good), Rar("a.mgx", "first"), Rar("a.mgx", "second")}, {},
         {{chinese, Good}, {"a.mgx", "first"}}, {chinese, "a.mgx"}, 1},
    };
}

// Every file below folder, by relative path.
Tree FilesBelow(const QString& folder)
{
    Tree tree;
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        tree[QDir(folder).relativeFilePath(path)] = Read(path).value_or("?");
    }
    return tree;
}

class HostileArchiveTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        // Deep enough that a name climbing three folders would still land inside m_root.
        ASSERT_TRUE(QDir().mkpath(Target()));
        ASSERT_TRUE(QDir().mkpath(Copies()));
        m_case = Corpus(m_root.path())[GetParam()];
        m_archive = At(m_case.zip.isEmpty() ? QStringLiteral("in.rar") : QStringLiteral("in.zip"));
        if (m_case.zip.isEmpty()) {
            const std::vector<std::uint8_t> bytes = korvale::test::BuildRarStore(m_case.rar);
            Write(m_archive, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        } else {
            Write(m_archive, m_case.zip);
        }
        for (const auto& [path, bytes] : m_case.before) {
            Write(Target() + QLatin1Char('/') + path, bytes);
            Write(Copies() + QLatin1Char('/') + path, bytes);
        }
    }
    QString At(const QString& name) const { return m_root.filePath(name); }
    QString Target() const { return At(QStringLiteral("a/b/c/out")); }
    QString Copies() const { return At(QStringLiteral("a/b/c/copies")); }

    // Everything on disk outside the two folders the tests write into.
    Tree Outside() const
    {
        Tree tree = FilesBelow(m_root.path());
        for (auto it = tree.begin(); it != tree.end();)
            it = it->first.startsWith(QLatin1String("a/b/c/out/")) || it->first.startsWith(QLatin1String("a/b/c/copies/"))
                ? tree.erase(it)
                : std::next(it);
        return tree;
    }

    QTemporaryDir m_root;
    Case m_case;
    QString m_archive;
};

} // namespace

TEST_P(HostileArchiveTest, UnpackBrowseAndCopyAgree)
{
    SCOPED_TRACE(m_case.title);
    const Tree untouched = Outside();

    UnpackReport report;
    if (m_case.zip.isEmpty()) {
        RecordingProcessRunner noTool;
        ExtractRarArchive(m_archive, Target(), noTool, At("no-program"), At("no-path"),
                          [](const QString&) { return true; }, &report);
        EXPECT_TRUE(noTool.waited.isEmpty()) << "libarchive reads these itself";
    } else {
        ZipExtractHooks hooks;
        hooks.confirmOverwrite = [](const QString&) { return true; }; // the player's Yes
        hooks.report = &report;
        EXPECT_EQ(ExtractZipArchive(m_archive, Target(), ZipOverwrite::Ask, hooks) == ZipUnpackResult::Done,
                  m_case.failures == 0);
    }
    EXPECT_EQ(FilesBelow(Target()), m_case.after);
    EXPECT_EQ(report.failures.size(), m_case.failures);
    EXPECT_EQ(report.written, int(m_case.after.size() - m_case.before.size()));

    QList<MgxListItem> items;
    EXPECT_EQ(ListArchiveFolder({m_archive, {}}, QLocale::c(), items), ArchiveResult::Ok);
    QStringList listed;
    for (const MgxListItem& item : items)
        listed.append(item.name);
    EXPECT_EQ(listed, m_case.listed);

    for (const QString& name : listed)
        ExtractArchiveEntry(m_archive, name, Copies(), true);
    EXPECT_EQ(FilesBelow(Copies()), m_case.after) << "copy-to gives what unpack gives";

    EXPECT_EQ(Outside(), untouched) << "nothing written anywhere else";
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostileArchiveTest, ::testing::Range(0, 15));
