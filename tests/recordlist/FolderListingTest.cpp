#include "FolderListing.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

void WriteFile(const QString& path, qint64 size)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(QByteArray(size, 'x'));
}

// A folder with every kind of entry, files that are not listed, a hidden record and a link whose
// target is gone (its status cannot be read).
class FolderListingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
        WriteFile(Path("a.MGX"), 1025);
        WriteFile(Path("b.zip"), 0);
        WriteFile(Path("c.RAR"), 1048576);
        WriteFile(Path("d.txt"), 10);
        WriteFile(Path("e.mgx.bak"), 10);
        WriteFile(Path("f.mgx2"), 10); // an HD 4.x record
        WriteFile(Path("g.mgx3"), 10);
        WriteFile(Path(".hidden.mgx"), 10);
        ASSERT_TRUE(QFile::link(Path("missing-target.mgx"), Path("gone.mgx")));
    }

    QString Path(const QString& name) const { return folder.path() + "/" + name; }

    const MgxListItem* Find(const QList<MgxListItem>& items, const QString& name) const
    {
        const auto found = std::find_if(items.begin(), items.end(), [&](const MgxListItem& i) { return i.name == name; });
        return found == items.end() ? nullptr : &*found;
    }

    QTemporaryDir folder;
};

TEST_F(FolderListingTest, ListsFoldersRecordsAndArchivesHiddenOnesIncluded)
{
    const std::optional<QList<MgxListItem>> items = ListFolderEntries(folder.path(), kEnglish);
    ASSERT_TRUE(items.has_value());
    QStringList names;
    for (const MgxListItem& item : *items)
        names.append(item.name);
    names.sort();
    EXPECT_EQ(names, QStringList({".hidden.mgx", "a.MGX", "b.zip", "c.RAR", "f.mgx2", "sub"}));
}

TEST_F(FolderListingTest, EachEntryCarriesKindPathSizeAndTexts)
{
    const std::optional<QList<MgxListItem>> items = ListFolderEntries(folder.path(), kEnglish);
    ASSERT_TRUE(items.has_value());
    const MgxListItem* sub = Find(*items, "sub");
    const MgxListItem* record = Find(*items, "a.MGX");
    const MgxListItem* zip = Find(*items, "b.zip");
    const MgxListItem* rar = Find(*items, "c.RAR");
    ASSERT_TRUE(sub && record && zip && rar);

    EXPECT_EQ(sub->kind, MgxItemKind::Folder);
    EXPECT_EQ(sub->size, 0u);
    EXPECT_EQ(record->kind, MgxItemKind::Record);
    EXPECT_EQ(zip->kind, MgxItemKind::Zip);
    EXPECT_EQ(rar->kind, MgxItemKind::Rar);

    EXPECT_EQ(record->fullPath, QDir::toNativeSeparators(Path("a.MGX")));
    EXPECT_EQ(record->size, 1025u);
    EXPECT_EQ(record->sizeText, "2 KB");
    EXPECT_EQ(zip->sizeText, "1 KB");
    EXPECT_EQ(rar->sizeText, "1,024 KB");
    EXPECT_EQ(record->timeText.size(), 19);
    EXPECT_EQ(record->timeText, QFileInfo(Path("a.MGX")).lastModified().toString("yyyy-MM-dd HH:mm:ss"));
}

TEST_F(FolderListingTest, AnEntryWithoutStatusIsLeftOutAndAFolderLinkIsAFolder)
{
    ASSERT_TRUE(QFile::link(Path("sub"), Path("link-to-sub")));
    const std::optional<QList<MgxListItem>> items = ListFolderEntries(folder.path(), kEnglish);
    ASSERT_TRUE(items.has_value());
    EXPECT_EQ(Find(*items, "gone.mgx"), nullptr);
    const MgxListItem* link = Find(*items, "link-to-sub");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->kind, MgxItemKind::Folder);
}

TEST_F(FolderListingTest, AFolderThatIsNotThereGivesNothing)
{
    EXPECT_FALSE(ListFolderEntries(Path("no-such-folder"), kEnglish).has_value());
    EXPECT_FALSE(ListFolderEntries(Path("d.txt"), kEnglish).has_value());
    EXPECT_FALSE(ListFolderEntries(QString(), kEnglish).has_value());
    const std::optional<QList<MgxListItem>> empty = ListFolderEntries(Path("sub"), kEnglish);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());
}

TEST(EntryPath, OneSeparatorBetweenFolderAndName)
{
    EXPECT_EQ(EntryPath("/saves", "a.mgx"), QDir::toNativeSeparators("/saves/a.mgx"));
    EXPECT_EQ(EntryPath("/saves/", "a.mgx"), QDir::toNativeSeparators("/saves/a.mgx"));
    EXPECT_EQ(EntryPath("/", "a.mgx"), QDir::toNativeSeparators("/a.mgx"));
}

} // namespace
