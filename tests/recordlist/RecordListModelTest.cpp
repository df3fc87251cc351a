#include "RecordListModel.h"
#include "TestApplication.h"
#include "RecordError.h"

#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void EnsureGuiApplication()
{
    korvale::test::EnsureApplicationOf<QGuiApplication>("korvale_files_tests");
}

MgxListItem Entry(const QString& name, MgxItemKind kind, quint64 size)
{
    MgxListItem item;
    item.name = name;
    item.fullPath = "/saves/" + name;
    item.kind = kind;
    item.size = size;
    item.sizeText = QString::number(size) + " KB";
    item.timeText = "2024-01-01 00:00:00";
    return item;
}

class RecordListModelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    RecordListModelTest()
    {
        model.SetItems({Entry("b.mgx", MgxItemKind::Record, 2), Entry("sub", MgxItemKind::Folder, 0),
                        Entry("a.zip", MgxItemKind::Zip, 9), Entry("c.rar", MgxItemKind::Rar, 5)},
                       SortState{-1});
    }

    RecordListModel model;
};

TEST_F(RecordListModelTest, ThreeColumnsAndTheExtraOnesWithTheirHeadersAndAlignment)
{
    ASSERT_EQ(model.columnCount(), 8);
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("对手/玩家"));
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), QStringLiteral("地图"));
    EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), QStringLiteral("时长"));
    EXPECT_EQ(model.headerData(6, Qt::Horizontal).toString(), QStringLiteral("版本"));
    EXPECT_EQ(model.headerData(7, Qt::Horizontal).toString(), QStringLiteral("人数"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("名称"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("大小"));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("最后修改日期"));
    const auto alignment = [&](int column) {
        return model.data(model.index(0, column), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(0), Qt::AlignLeft);
    EXPECT_EQ(alignment(1), Qt::AlignRight);
    EXPECT_EQ(alignment(2), Qt::AlignRight);
}

TEST_F(RecordListModelTest, RowsAreSortedOnceWhenSetAndShowTheirTextsAndPictures)
{
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "sub");
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "a.zip");
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "9 KB");
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), "2024-01-01 00:00:00");
    for (int row = 0; row < model.rowCount(); ++row) {
        const QIcon icon = model.data(model.index(row, 0), Qt::DecorationRole).value<QIcon>();
        ASSERT_FALSE(icon.isNull()) << row;
        EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16));
        EXPECT_FALSE(model.data(model.index(row, 1), Qt::DecorationRole).isValid());
    }
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(RecordListModelTest, EachKindHasItsOwnPictureInBothSizes)
{
    QList<QImage> pictures;
    for (MgxItemKind kind : {MgxItemKind::Folder, MgxItemKind::Record, MgxItemKind::Zip, MgxItemKind::Rar}) {
        const QIcon icon = RecordListModel::KindIcon(kind);
        EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
        const QImage picture = icon.pixmap(16, 16).toImage();
        EXPECT_FALSE(pictures.contains(picture));
        pictures.append(picture);
    }
    EXPECT_EQ(RecordListModel::KindIcon(MgxItemKind::NotListed).pixmap(16, 16).toImage(), pictures.front());
}

TEST_F(RecordListModelTest, ResortingKeepsTheSelectionOnItsEntries)
{
    QItemSelectionModel selection(&model);
    selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows); // a.zip
    selection.setCurrentIndex(model.index(3, 0), QItemSelectionModel::NoUpdate);                // c.rar
    model.Sort(SortState{2}); // largest first: sub, a.zip(9), c.rar(5), b.mgx(2)
    EXPECT_EQ(model.Item(3).name, "b.mgx");
    const QModelIndexList selected = selection.selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(model.Item(selected.front().row()).name, "a.zip");
    EXPECT_EQ(model.Item(selection.currentIndex().row()).name, "c.rar");
}

TEST_F(RecordListModelTest, RemoveAndRenameOneRow)
{
    model.UpdateItemName(1, "/saves/z.zip", "z.zip");
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "z.zip");
    EXPECT_EQ(model.Item(1).fullPath, "/saves/z.zip");
    EXPECT_EQ(model.Item(1).sizeText, "9 KB");
    model.RemoveItem(0);
    model.RemoveItem(17);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.Item(0).name, "z.zip");
}

LibrarySummary SummaryOf(const QString& path, qint64 duration)
{
    LibrarySummary summary;
    summary.path = path;
    summary.duration = duration;
    summary.logVersion = 4;
    summary.players = {{"A", 1, 0, 2, 1}, {"B", 2, 1, 3, 1}};
    return summary;
}

// Summaries arrive while the rows stand: only their rows change, the selection stays, and the
// values are there again when the folder is listed anew.
TEST_F(RecordListModelTest, ArrivingSummariesChangeTheirRowsOnly)
{
    model.SetItems({Entry("b.mgx", MgxItemKind::Record, 2), Entry("sub", MgxItemKind::Folder, 0),
                    Entry("c.mgx", MgxItemKind::Record, 5), Entry("d.mgx", MgxItemKind::Record, 7)},
                   SortState{-1});
    QItemSelectionModel selection(&model);
    selection.select(model.index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows); // c.mgx
    EXPECT_EQ(model.data(model.index(2, LibraryColumns::Duration)).toString(), "");

    QList<std::pair<QModelIndex, QModelIndex>> changed;
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, &model,
                     [&changed](const QModelIndex& from, const QModelIndex& to) { changed.append({from, to}); });
    QObject::connect(&model, &QAbstractItemModel::modelReset, &model, [&resets] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::layoutChanged, &model, [&resets] { ++resets; });
    LibrarySummary broken = SummaryOf("/saves/d.mgx", 0);
    broken.status = LibrarySummary::Status::Damaged;
    model.AddSummaries({SummaryOf("/saves/c.mgx", 65'000), broken, SummaryOf("/elsewhere/b.mgx", 1)}, {});
    EXPECT_EQ(resets, 0);
    ASSERT_EQ(changed.size(), 1) << "one signal for the span of changed rows";
    EXPECT_EQ(changed.front().first.row(), 2);
    EXPECT_EQ(changed.front().second.row(), 3);
    EXPECT_EQ(changed.front().first.column(), LibraryColumns::First);
    EXPECT_EQ(changed.front().second.column(), LibraryColumns::End - 1);
    EXPECT_EQ(model.data(model.index(2, LibraryColumns::Duration)).toString(), "1:05");
    EXPECT_EQ(model.data(model.index(2, LibraryColumns::Players)).toString(), "A vs B");
    EXPECT_EQ(model.data(model.index(3, LibraryColumns::Players)).toString(), "-");
    EXPECT_EQ(model.data(model.index(1, LibraryColumns::Players)).toString(), ""); // b.mgx: another folder's
    EXPECT_EQ(model.data(model.index(0, LibraryColumns::Players)).toString(), ""); // the folder
    ASSERT_EQ(selection.selectedRows().size(), 1);
    EXPECT_EQ(model.Item(selection.selectedRows().front().row()).name, "c.mgx");

    // The same summary again changes nothing.
    model.AddSummaries({SummaryOf("/saves/c.mgx", 65'000)}, {});
    EXPECT_EQ(changed.size(), 1);

    model.SetItems({Entry("c.mgx", MgxItemKind::Record, 5)}, SortState{-1});
    EXPECT_EQ(model.data(model.index(0, LibraryColumns::Duration)).toString(), "1:05");
    model.ClearColumnValues();
    model.SetItems({Entry("c.mgx", MgxItemKind::Record, 5)}, SortState{-1});
    EXPECT_EQ(model.data(model.index(0, LibraryColumns::Duration)).toString(), "");
}

} // namespace
