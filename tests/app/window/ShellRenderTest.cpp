#include "BuildPaths.h"
#include "AddressBar.h"
#include "CMainFrame.h"
#include "ListNavigation.h"
#include "RecordListModel.h"
#include "CommandTable.h"
#include "KorvaleArtwork.h"
#include "MgxListViewDoc.h"
#include "PathCombo.h"
#include "ScriptedPrompt.h"
#include "ShellTestSupport.h"

#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QAbstractItemView>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

// Renders the whole window in the shipped theme with a stand-in list, for a look by eye
// (written beside the tests as shell-main-window.png), and checks that every part is drawn.
TEST(ShellRender, MainWindowDrawsEveryPartInTheTheme)
{
    EnsureShellApplication();
    InitKorvaleArtwork();
    QFile theme(QString::fromStdString(korvale::build::SourcePath("resources/spring.ssk")));
    ASSERT_TRUE(theme.open(QIODevice::ReadOnly));
    qApp->setStyleSheet(QString::fromUtf8(theme.readAll()));

    ScriptedPrompt prompt;
    CommandTable table;
    MgxListViewDoc document;
    CMainFrame frame(table, prompt, document);
    auto* list = new QTreeWidget;
    list->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("大小"), QStringLiteral("修改时间")});
    list->setRootIsDecorated(false);
    for (const char* name : {"2026-12-01 阿拉伯 4v4.mgx", "2026-12-03 黑森林 1v1.mgx", "旧录像"})
        new QTreeWidgetItem(list, {QString::fromUtf8(name), QStringLiteral("1,234 KB"), QStringLiteral("2026-12-03 21:40")});
    list->header()->resizeSection(0, 260);
    frame.SetRecordList(list);
    frame.GetAddressBar().GetPathCombo().SetFixedEntries(PathEntries::FixedEntries(
        QStringLiteral("/home/ann/Desktop"), {QStringLiteral("比赛"), QStringLiteral("地图")},
        {{QStringLiteral("/"), {}, false}, {QStringLiteral("/media/ann/USB"), QStringLiteral("U盘"), true}}));
    RecordListModel model;
    ListNavigation navigation(model);
    frame.SetNavigation(&navigation);
    navigation.NavigateTo(QStringLiteral("/usr/share"));
    QCoreApplication::sendPostedEvents();
    frame.resize(1180, 880);
    frame.show();
    QApplication::processEvents();

    const QImage shot = frame.grab().toImage();
    shot.save(QString::fromStdString(korvale::build::BuildPath("shell-main-window.png")));
    QMenu* viewMenu = frame.menuBar()->actions().value(2)->menu();
    ASSERT_NE(viewMenu, nullptr);
    viewMenu->popup(frame.mapToGlobal(QPoint(150, 30)));
    QApplication::processEvents();
    viewMenu->grab().save(QString::fromStdString(korvale::build::BuildPath("shell-view-menu.png")));
    viewMenu->hide();
    PathCombo& combo = frame.GetAddressBar().GetPathCombo();
    combo.showPopup();
    QApplication::processEvents();
    combo.view()->window()->grab().save(QString::fromStdString(korvale::build::BuildPath("shell-path-box.png")));
    combo.hidePopup();
    qApp->setStyleSheet({});
    ASSERT_EQ(shot.size(), frame.size());
    // The tool rows sit above the client area, the status bar below it.
    EXPECT_GT(frame.centralWidget()->y(), 60);
    EXPECT_GE(frame.statusBar()->y(), frame.centralWidget()->y() + frame.centralWidget()->height());
    EXPECT_EQ(frame.GetAddressBar().GetPathCombo().currentText(), "/usr/share");
    // The main toolbar's first picture is drawn: its pixels are not all the bar's background.
    const QRect firstButton(frame.MainToolBar()->geometry().topLeft() + QPoint(4, 4), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = firstButton.top(); y < firstButton.bottom(); ++y)
        for (int x = firstButton.left(); x < firstButton.right(); ++x)
            colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
}
