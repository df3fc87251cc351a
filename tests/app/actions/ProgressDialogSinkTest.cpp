#include "ProgressDialogSink.h"

#include "ShellTestSupport.h"

#include <QProgressDialog>
#include <QWidget>

#include <gtest/gtest.h>

TEST(ProgressDialogSink, AppearsAfterHalfASecondWithTheFileAndStopsOnCancel)
{
    EnsureShellApplication();
    QWidget parent;
    parent.resize(400, 300);
    parent.show();
    qint64 now = 1000;
    ProgressDialogSink sink(&parent, [&now] { return now; });
    sink.Start(QStringLiteral("正在拷贝..."), 3);
    auto* dialog = parent.findChild<QProgressDialog*>(QStringLiteral("fileProgress"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(sink.Advance(0, QStringLiteral("a.mgx")));
    now += ProgressDialogSink::ShowAfterMs - 1;
    EXPECT_TRUE(sink.Advance(0, QStringLiteral("b.mgx")));
    EXPECT_FALSE(dialog->isVisible()) << "a short run shows nothing";

    now += 1;
    EXPECT_TRUE(sink.Advance(1, QStringLiteral("中文录像.mgx")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->labelText(), QStringLiteral("中文录像.mgx"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("正在拷贝..."));

    dialog->cancel();
    EXPECT_FALSE(sink.Advance(2, QStringLiteral("c.mgx")));
    sink.Finish();
    EXPECT_EQ(parent.findChild<QProgressDialog*>(), nullptr);
}
