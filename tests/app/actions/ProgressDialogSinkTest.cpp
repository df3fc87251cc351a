#include "ProgressDialogSink.h"

#include <QApplication>
#include <QProgressDialog>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "korvale_files_tests";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

} // namespace

TEST(ProgressDialogSink, AppearsAfterHalfASecondWithTheFileAndStopsOnCancel)
{
    EnsureApplication();
    QWidget parent;
    parent.resize(400, 300);
    parent.show();
    ProgressDialogSink sink(&parent);
    sink.start(QStringLiteral("正在拷贝..."), 3);
    auto* dialog = parent.findChild<QProgressDialog*>(QStringLiteral("fileProgress"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(sink.advance(0, QStringLiteral("a.mgx")));
    EXPECT_FALSE(dialog->isVisible()) << "a short run shows nothing";

    QThread::msleep(600);
    EXPECT_TRUE(sink.advance(1, QStringLiteral("中文录像.mgx")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->labelText(), QStringLiteral("中文录像.mgx"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("正在拷贝..."));
    if (qEnvironmentVariableIsSet("KORVALE_SAVE_PICTURES"))
        dialog->grab().save(QStringLiteral("/tmp/korvale-progress.png"));

    dialog->cancel();
    EXPECT_FALSE(sink.advance(2, QStringLiteral("c.mgx")));
    sink.finish();
    EXPECT_EQ(parent.findChild<QProgressDialog*>(), nullptr);
}
