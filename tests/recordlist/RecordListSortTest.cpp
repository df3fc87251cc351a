#include "RecordListSort.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

MgxListItem Entry(const QString& name, MgxItemKind kind, quint64 size = 0, const QString& time = {})
{
    MgxListItem item;
    item.name = name;
    item.fullPath = "/saves/" + name;
    item.kind = kind;
    item.size = size;
    item.timeText = time;
    return item;
}

QStringList Names(const QList<MgxListItem>& items)
{
    QStringList names;
    for (const MgxListItem& item : items)
        names.append(item.name);
    return names;
}

QList<MgxListItem> Folder()
{
    return {
        Entry("b.mgx", MgxItemKind::Record, 3000, "2024-01-02 10:00:00"),
        Entry("Zeta", MgxItemKind::Folder, 0, "2020-01-01 00:00:00"),
        Entry("A.zip", MgxItemKind::Zip, 1000, "2025-06-01 12:00:00"),
        Entry("alpha", MgxItemKind::Folder, 0, "2026-01-01 00:00:00"),
        Entry("c.RAR", MgxItemKind::Rar, 2000, "2023-05-05 05:05:05"),
    };
}

TEST(ClickColumn, SameColumnFlipsAnotherStartsReversed)
{
    SortState state; // start-up: names Z to A
    state = ClickColumn(state, 0);
    EXPECT_EQ(state.value, -1);
    state = ClickColumn(state, 0);
    EXPECT_EQ(state.value, 1);
    state = ClickColumn(state, 1);
    EXPECT_EQ(state.value, 2);
    state = ClickColumn(SortState{-2}, 2);
    EXPECT_EQ(state.value, 3);
    EXPECT_EQ(ClickColumn(SortState{0}, 0).value, 1);
}

TEST(SortListItems, StartUpStateIsReverseNameOrderThenOneClickGivesAToZ)
{
    QList<MgxListItem> items = Folder();
    SortListItems(items, SortState{1});
    EXPECT_EQ(Names(items), QStringList({"Zeta", "alpha", "c.RAR", "b.mgx", "A.zip"}));
    SortListItems(items, ClickColumn(SortState{1}, 0));
    EXPECT_EQ(Names(items), QStringList({"alpha", "Zeta", "A.zip", "b.mgx", "c.RAR"}));
}

TEST(SortListItems, FoldersStayOnTopInBothDirectionsOfEveryColumn)
{
    for (int value : {1, -1, 2, -2, 3, -3, 0}) {
        QList<MgxListItem> items = Folder();
        SortListItems(items, SortState{value});
        ASSERT_EQ(items.size(), 5);
        EXPECT_EQ(items[0].kind, MgxItemKind::Folder) << value;
        EXPECT_EQ(items[1].kind, MgxItemKind::Folder) << value;
        for (int i = 2; i < 5; ++i)
            EXPECT_NE(items[i].kind, MgxItemKind::Folder) << value;
    }
}

TEST(SortListItems, SizeAndTimeColumns)
{
    QList<MgxListItem> items = Folder();
    SortListItems(items, ClickColumn(SortState{1}, 1)); // largest first
    EXPECT_EQ(Names(items).mid(2), QStringList({"b.mgx", "c.RAR", "A.zip"}));
    SortListItems(items, SortState{-2});
    EXPECT_EQ(Names(items).mid(2), QStringList({"A.zip", "c.RAR", "b.mgx"}));
    SortListItems(items, SortState{3}); // newest first
    EXPECT_EQ(Names(items), QStringList({"alpha", "Zeta", "A.zip", "b.mgx", "c.RAR"}));
    SortListItems(items, SortState{-3});
    EXPECT_EQ(Names(items), QStringList({"Zeta", "alpha", "c.RAR", "b.mgx", "A.zip"}));
}

TEST(SortListItems, SizesAbove4GiBCompareWhole)
{
    const quint64 gib = 1ull << 30;
    QList<MgxListItem> items = {
        Entry("small", MgxItemKind::Record, 2048),
        Entry("five", MgxItemKind::Record, 5 * gib),   // low 32 bits: 1 GiB
        Entry("four", MgxItemKind::Record, 4 * gib),   // low 32 bits: 0
        Entry("three", MgxItemKind::Record, 3 * gib),  // low 32 bits negative as a signed value
        Entry("one", MgxItemKind::Record, gib),
    };
    SortListItems(items, SortState{-2});
    EXPECT_EQ(Names(items), QStringList({"small", "one", "three", "four", "five"}));
    SortListItems(items, SortState{2});
    EXPECT_EQ(Names(items), QStringList({"five", "four", "three", "one", "small"}));
    EXPECT_LT(CompareListItems(items[4], items[0], SortState{-2}), 0);
}

TEST(CompareListItems, NamesFoldOnlyAsciiLetters)
{
    const SortState natural{-1};
    EXPECT_EQ(CompareListItems(Entry("GAME.mgx", MgxItemKind::Record), Entry("game.MGX", MgxItemKind::Record), natural), 0);
    EXPECT_LT(CompareListItems(Entry("a_b", MgxItemKind::Record), Entry("A_C", MgxItemKind::Record), natural), 0);
    EXPECT_LT(CompareListItems(Entry("ab", MgxItemKind::Record), Entry("abc", MgxItemKind::Record), natural), 0);
    // Reversal negates, and equal stays equal.
    EXPECT_GT(CompareListItems(Entry("a", MgxItemKind::Record), Entry("b", MgxItemKind::Record), SortState{1}), 0);
    EXPECT_EQ(CompareListItems(Entry("a", MgxItemKind::Record), Entry("A", MgxItemKind::Record), SortState{1}), 0);
}

TEST(CompareListItems, NoSortColumnOrdersFoldersThenNamesAToZ)
{
    QList<MgxListItem> items = Folder();
    SortListItems(items, SortState{0});
    EXPECT_EQ(Names(items), QStringList({"alpha", "Zeta", "A.zip", "b.mgx", "c.RAR"}));
}

} // namespace
