#include "RecordListModel.h"
#include "RecordSearch.h"
#include "TestApplication.h"

#include <QGuiApplication>
#include <QItemSelectionModel>

#include <gtest/gtest.h>

namespace {

SearchNames Names()
{
    return {[](int civilization) { return civilization == 7 ? QStringLiteral("蒙古") : QStringLiteral("Franks"); },
            [](int mapId) { return mapId == 9 ? QStringLiteral("阿拉伯") : QString(); }};
}

LibrarySummary Summary(const QString& path, const QString& player, int civilization, int mapId, const QString& chat)
{
    LibrarySummary summary;
    summary.path = path;
    summary.mapId = mapId;
    summary.chat = chat;
    summary.players = {{player, civilization, 0, 2, 2}, {QStringLiteral("Opponent"), 1, 1, 3, 2}};
    return summary;
}

TEST(RecordSearch, MatchesPlayersCivilisationsMapsAndChatWithoutCase)
{
    RecordSearch search(Names());
    search.Add({Summary("/s/a.mgx", "白马啸西风", 7, 9, "gl hf"), Summary("/s/b.mgx", "TheViper", 1, 10, "WP"),
                Summary("/s/c.mgx", "Other", 1, 9, "")});
    EXPECT_EQ(search.Matching("白马"), QSet<QString>{"/s/a.mgx"});
    EXPECT_EQ(search.Matching("theviper"), QSet<QString>{"/s/b.mgx"});
    EXPECT_EQ(search.Matching("FRANKS"), (QSet<QString>{"/s/a.mgx", "/s/b.mgx", "/s/c.mgx"})) << "the opponent's civilisation";
    EXPECT_EQ(search.Matching("蒙古"), QSet<QString>{"/s/a.mgx"});
    EXPECT_EQ(search.Matching("阿拉伯"), (QSet<QString>{"/s/a.mgx", "/s/c.mgx"}));
    EXPECT_EQ(search.Matching("wp"), QSet<QString>{"/s/b.mgx"});
    // Every word must occur, in any field.
    EXPECT_EQ(search.Matching("  白马啸西风   阿拉伯 "), QSet<QString>{"/s/a.mgx"});
    EXPECT_TRUE(search.Matching("白马 TheViper").isEmpty());
    EXPECT_EQ(search.Matching("   ").size(), 3) << "a blank query keeps every record";
    // A word does not match across two fields.
    EXPECT_TRUE(search.Matching("opponentfranks").isEmpty());
}

TEST(RecordSearch, DamagedRecordsMatchOnlyThroughTheirText)
{
    LibrarySummary damaged;
    damaged.path = "/s/d.mgx";
    damaged.status = LibrarySummary::Status::Damaged;
    damaged.errorText = "header block: bad";
    const QString text = SearchableText(damaged, Names());
    EXPECT_FALSE(MatchesSearch(text, SearchTerms("header")));
    EXPECT_TRUE(MatchesSearch(text, SearchTerms("")));
}

// The short paths must fold exactly as Qt does, or a query and a record would fold apart.
TEST(RecordSearch, FoldsEveryCharacterAsQtDoes)
{
    QString everyCharacter;
    for (char32_t c = 1; c < 0x10000; ++c)
        if (!QChar::isSurrogate(c))
            everyCharacter.append(QChar(c));
    EXPECT_EQ(FoldForSearch(everyCharacter), everyCharacter.toCaseFolded());
    const QString pairs = QStringLiteral("Aä\U00010400Ω白"); // a letter outside the first plane folds too
    EXPECT_EQ(FoldForSearch(pairs), pairs.toCaseFolded());
    EXPECT_NE(FoldForSearch(pairs), pairs);
}

TEST(RecordSearch, FindsATermWhereverItStarts)
{
    RecordSearch search;
    LibrarySummary summary = Summary("/s/a.mgx", "x", 0, 0, "");
    for (const char* text : {"aab", "xyab", "ab", "abab"}) {
        summary.searchText = QString::fromUtf8(text);
        search.Clear();
        search.Add({summary});
        EXPECT_EQ(search.Matching("ab").size(), 1) << text;
    }
    for (const char* text : {"a", "ba", "a\nb", ""}) {
        summary.searchText = QString::fromUtf8(text);
        search.Clear();
        search.Add({summary});
        EXPECT_TRUE(search.Matching("ab").isEmpty()) << text;
    }
    // A summary from the index carries its search text and no chat; the text is what is searched.
    summary.chat.clear();
    summary.searchText = SearchableText(Summary("/s/a.mgx", "x", 0, 0, "gg wp"), Names());
    search.Clear();
    search.Add({summary});
    EXPECT_EQ(search.Matching("WP").size(), 1);
    search.Remove({"/s/a.mgx"});
    EXPECT_EQ(search.Count(), 0);
}

MgxListItem Entry(const QString& name, MgxItemKind kind, quint64 size)
{
    MgxListItem item;
    item.name = name;
    item.fullPath = "/saves/" + name;
    item.kind = kind;
    item.size = size;
    return item;
}

class RecordListFilterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { korvale::test::EnsureApplicationOf<QGuiApplication>("korvale_recordlist_tests"); }

    QStringList Names() const
    {
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row)
            names.append(model.Item(row).name);
        return names;
    }

    RecordListModel model;
};

TEST_F(RecordListFilterTest, ShowsMatchesAndFoldersInTheListOrderAndRestoresTheListing)
{
    const SortState bySizeAscending{-2};
    model.SetItems({Entry("b.mgx", MgxItemKind::Record, 30), Entry("sub", MgxItemKind::Folder, 0),
                    Entry("a.mgx", MgxItemKind::Record, 10), Entry("c.mgx", MgxItemKind::Record, 20),
                    Entry("x.zip", MgxItemKind::Zip, 5)},
                   bySizeAscending);
    const QStringList plain = Names();

    MgxListItem below = Entry("deep.mgx", MgxItemKind::Record, 15);
    below.fullPath = "/saves/sub/deep.mgx";
    below.relativeFolder = "sub";
    model.ApplyFilter({"/saves/b.mgx", "/saves/a.mgx"}, {below});
    EXPECT_TRUE(model.IsFiltered());
    EXPECT_EQ(Names(), (QStringList{"sub", "a.mgx", "deep.mgx", "b.mgx"}));
    EXPECT_EQ(model.ShownFileCount(), 3);
    EXPECT_EQ(model.data(model.index(2, RecordListModel::NameColumn), Qt::ToolTipRole).toString(), "sub");
    EXPECT_FALSE(model.data(model.index(1, RecordListModel::NameColumn), Qt::ToolTipRole).isValid());

    // A narrower query works from the whole listing, not from the rows shown.
    model.ApplyFilter({"/saves/c.mgx"}, {});
    EXPECT_EQ(Names(), (QStringList{"sub", "c.mgx"}));

    model.ClearFilter();
    EXPECT_FALSE(model.IsFiltered());
    EXPECT_EQ(Names(), plain);
}

TEST_F(RecordListFilterTest, FileCommandsOnFilteredRowsReachTheListing)
{
    model.SetItems({Entry("a.mgx", MgxItemKind::Record, 1), Entry("b.mgx", MgxItemKind::Record, 2),
                    Entry("c.mgx", MgxItemKind::Record, 3)},
                   SortState{1});
    model.ApplyFilter({"/saves/a.mgx", "/saves/b.mgx"}, {});
    ASSERT_EQ(model.rowCount(), 2);
    const int rowOfA = model.Item(0).name == "a.mgx" ? 0 : 1;
    model.UpdateItemName(rowOfA, "/saves/z.mgx", "z.mgx");
    model.RemoveItem(1 - rowOfA);
    model.ClearFilter();
    QStringList names = Names();
    names.sort();
    EXPECT_EQ(names, (QStringList{"c.mgx", "z.mgx"})) << "the rename stays and the deleted record stays gone";

    model.ApplyFilter({}, {});
    model.SetItems({Entry("n.mgx", MgxItemKind::Record, 1)}, SortState{1});
    EXPECT_FALSE(model.IsFiltered()) << "a new listing ends the filter";
    EXPECT_EQ(model.rowCount(), 1);
}

TEST_F(RecordListFilterTest, TheSelectionStaysOnItsEntryWhileTheQueryChanges)
{
    model.SetItems({Entry("a.mgx", MgxItemKind::Record, 1), Entry("b.mgx", MgxItemKind::Record, 2),
                    Entry("c.mgx", MgxItemKind::Record, 3)},
                   SortState{1});
    QItemSelectionModel selection(&model);
    const auto selectedNames = [&] {
        QStringList names;
        for (const QModelIndex& index : selection.selectedRows())
            names.append(model.Item(index.row()).name);
        return names;
    };
    const auto rowOf = [&](const QString& name) {
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.Item(row).name == name)
                return row;
        return -1;
    };
    selection.setCurrentIndex(model.index(rowOf("b.mgx"), 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    model.ApplyFilter({"/saves/b.mgx", "/saves/c.mgx"}, {});
    EXPECT_EQ(selectedNames(), QStringList{"b.mgx"});
    EXPECT_EQ(model.Item(selection.currentIndex().row()).name, "b.mgx");
    model.ApplyFilter({"/saves/b.mgx"}, {});
    EXPECT_EQ(selectedNames(), QStringList{"b.mgx"});
    model.ClearFilter();
    EXPECT_EQ(selectedNames(), QStringList{"b.mgx"});
    model.ApplyFilter({"/saves/a.mgx"}, {});
    EXPECT_TRUE(selectedNames().isEmpty()) << "an entry no longer shown is no longer selected";
    EXPECT_FALSE(selection.currentIndex().isValid());
}

// A change on disk while a query is in force: the new listing is filtered too, and the rows stay
// in the list's order through re-sorting and merging with matches from below.
TEST_F(RecordListFilterTest, ANewListingAndAResortKeepTheFilterAndTheOrder)
{
    model.SetItems({Entry("b.mgx", MgxItemKind::Record, 30), Entry("sub", MgxItemKind::Folder, 0),
                    Entry("a.mgx", MgxItemKind::Record, 10)},
                   SortState{1});
    MgxListItem below = Entry("m.mgx", MgxItemKind::Record, 20);
    below.fullPath = "/saves/sub/m.mgx";
    model.ApplyFilter({"/saves/a.mgx", "/saves/new.mgx"}, {below});

    model.UpdateListing({Entry("a.mgx", MgxItemKind::Record, 10), Entry("sub", MgxItemKind::Folder, 0),
                         Entry("new.mgx", MgxItemKind::Record, 40), Entry("other.mgx", MgxItemKind::Record, 5)});
    EXPECT_TRUE(model.IsFiltered());
    EXPECT_EQ(Names(), (QStringList{"sub", "new.mgx", "m.mgx", "a.mgx"})) << "names Z to A, folders first";

    model.Sort(SortState{-2}); // size, smallest first
    model.ApplyFilter({"/saves/a.mgx", "/saves/new.mgx"}, {below});
    EXPECT_EQ(Names(), (QStringList{"sub", "a.mgx", "m.mgx", "new.mgx"}));

    model.ClearFilter();
    QStringList names = Names();
    names.sort();
    EXPECT_EQ(names, (QStringList{"a.mgx", "new.mgx", "other.mgx", "sub"})) << "the new listing, whole";
}

} // namespace
