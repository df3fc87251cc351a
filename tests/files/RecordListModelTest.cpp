#include "RecordListModel.h"
#include "RecordLoad.h"
#include "RecordError.h"

#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void EnsureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "korvale_files_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives until the process ends
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

TEST_F(RecordListModelTest, ThreeColumnsWithTheirHeadersAndAlignment)
{
    ASSERT_EQ(model.columnCount(), 3);
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

TEST(RecordLoad, FileThatCannotBeOpenedGivesTheFixedMessage)
{
    QTemporaryDir folder;
    const RecordLoad load = LoadRecordForList(folder.path() + "/absent.mgx");
    EXPECT_EQ(load.record, nullptr);
    EXPECT_EQ(load.errorText, QStringLiteral("无法打开文件！"));
}

TEST(RecordLoad, ALaterFormatIsNamedInTheUsersWords)
{
    const Mgx::UnsupportedFormatError error("VER 9.4", 12.97f, Mgx::UnsupportedFormatKind::DefinitiveEdition);
    EXPECT_EQ(RecordLoadErrorText(error), QStringLiteral("此录像来自决定版（保存版本 12.97），暂不支持"));
    const Mgx::UnsupportedFormatError aok("VER 9.3", 11.76f, Mgx::UnsupportedFormatKind::AgeOfKings);
    EXPECT_EQ(RecordLoadErrorText(aok), QStringLiteral("此录像来自帝王时代（VER 9.3），暂不支持"));
    const Mgx::UnsupportedFormatError up("VER 9.A", 11.76f, Mgx::UnsupportedFormatKind::LaterUserPatch);
    EXPECT_EQ(RecordLoadErrorText(up), QStringLiteral("此录像来自UserPatch 1.3 或更高版本（VER 9.A），暂不支持"));
    const Mgx::UnsupportedFormatError hd("VER 9.4", 12.50f, Mgx::UnsupportedFormatKind::HdWithSettingsBlock);
    EXPECT_EQ(RecordLoadErrorText(hd), QStringLiteral("此录像来自更新版本的游戏（保存版本 12.50），暂不支持"));
}

} // namespace
