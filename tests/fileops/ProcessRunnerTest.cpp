#include "ProcessRunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(QtProcessRunner, WaitsForTheExitCodeAndRunsInTheGivenFolder)
{
    QtProcessRunner runner;
    EXPECT_EQ(runner.RunAndWait({QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exit 3")}, {}}), 3);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_EQ(runner.RunAndWait({QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("touch here")}, folder.path()}), 0);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("here"))));
}

TEST(QtProcessRunner, AProgramThatCannotStartIsReportedNotIgnored)
{
    QtProcessRunner runner;
    const ProcessCommand missing{QStringLiteral("/nonexistent/korvale-no-such-program"), {}, {}};
    EXPECT_EQ(runner.RunAndWait(missing), -1);
    EXPECT_FALSE(runner.StartDetached(missing));
}
