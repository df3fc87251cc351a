#include "ProcessRunner.h"
#include "RarExtraction.h"
#include "RarStoreWriter.h"
#include "RecordingProcessRunner.h"
#include "UnpackReport.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace TestFiles;

namespace {

const QByteArray Banner = "\nUNRAR 6.21 freeware      Copyright (c) 1993-2023 Alexander Roshal\n\nUsage:     unrar <command> -<switch 1> -<switch N> <archive> <files...>\n";

// A RAR 4 archive holding one file, stored without compression.
QByteArray StoredRar(const QByteArray& name, const QByteArray& data)
{
    korvale::test::RarStoreEntry entry;
    entry.name = name.toStdString();
    entry.data.assign(data.begin(), data.end());
    const std::vector<std::uint8_t> bytes = korvale::test::BuildRarStore({entry});
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

class RarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        for (const char* folder : {"program", "bin", "target", "outside"})
            QDir(m_root.path()).mkdir(QString::fromLatin1(folder));
    }
    QString At(const QString& name) const { return m_root.filePath(name); }
    // An executable shell script.
    void Script(const QString& path, const QByteArray& body)
    {
        Write(path, "#!/bin/sh\n" + body);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // A fake unrar that answers with the banner when called bare and otherwise runs body with the
    // target folder in $5.
    void FakeUnrar(const QString& path, const QByteArray& body)
    {
        Script(path, "if [ $# -eq 0 ]; then printf '%s' '" + Banner + "'; exit 7; fi\n" + body);
    }

    QTemporaryDir m_root;
};

} // namespace

TEST(RarExtraction, ArgumentListsKeepPathsWithSpacesWhole)
{
    const RarTool unrar{RarTool::Kind::Unrar, QStringLiteral("/opt/k v/unrar")};
    const ProcessCommand command =
        RarExtraction::ExtractCommand(unrar, QStringLiteral("/r e/x y.rar"), QStringLiteral("/t g"));
    EXPECT_EQ(command.program, QStringLiteral("/opt/k v/unrar"));
    EXPECT_EQ(command.arguments, (QStringList{"x", "-o+", "-inul", "/r e/x y.rar", "/t g/"}));
    EXPECT_EQ(command.workingFolder, QStringLiteral("/opt/k v"));

    const RarTool bsdtar{RarTool::Kind::Bsdtar, QStringLiteral("/usr/bin/bsdtar")};
    EXPECT_EQ(RarExtraction::ExtractCommand(bsdtar, QStringLiteral("/r e/x y.rar"), QStringLiteral("/t g")).arguments,
              (QStringList{"-x", "-f", "/r e/x y.rar", "-C", "/t g"}));
    EXPECT_TRUE(RarExtraction::IsRarlabBanner(Banner));
    EXPECT_FALSE(RarExtraction::IsRarlabBanner("unrar 0.0.1  Usage: unrar [OPTION...] ARCHIVE [FILE...] [DESTINATION]"));
}

TEST_F(RarTest, TheToolIsLookedForBesideTheProgramThenOnThePath)
{
    RecordingProcessRunner runner;
    EXPECT_EQ(RarExtraction::FindTool(At("program"), At("bin"), runner), std::nullopt);
    EXPECT_EQ(ExtractRarArchive(At("a.rar"), At("target"), runner, At("program"), At("bin")), 1);
    EXPECT_TRUE(runner.waited.isEmpty());

    Script(At("bin/bsdtar"), "exit 0\n");
    Script(At("bin/unrar"), "exit 0\n");
    runner.output = "unrar 0.0.1 Usage: unrar [OPTION...] ARCHIVE";
    EXPECT_EQ(RarExtraction::FindTool(At("program"), At("bin"), runner),
              (RarTool{RarTool::Kind::Bsdtar, At("bin/bsdtar")}));
    ASSERT_EQ(runner.read.size(), 1);
    EXPECT_EQ(runner.read[0].program, At("bin/unrar"));

    runner.output = Banner;
    EXPECT_EQ(RarExtraction::FindTool(At("program"), At("bin"), runner), (RarTool{RarTool::Kind::Unrar, At("bin/unrar")}));

    Script(At("program/unrar"), "exit 0\n");
    runner.read.clear();
    EXPECT_EQ(RarExtraction::FindTool(At("program"), At("bin"), runner),
              (RarTool{RarTool::Kind::Unrar, At("program/unrar")}));
    EXPECT_TRUE(runner.read.isEmpty()) << "the tool beside the program is taken as it is";
    Write(At("target/.keep"), "");
    EXPECT_EQ(Names(At("target")), QStringList{".keep"}) << "nothing ran, nothing stayed";
}

TEST_F(RarTest, TheUnrarOnThePathGetsExactlyItsArgumentsAndReplacesOnlyWhenAllowed)
{
    FakeUnrar(At("bin/unrar"), "printf '%s\\n' \"$@\" > '" + QFile::encodeName(At("argv")) +
                                   "'\nmkdir -p \"$5/saves\"; echo new > \"$5/r.mgx\"; echo deep > \"$5/saves/d.mgx\"\n");
    Write(At("target/r.mgx"), "old");
    QDir().mkpath(At("target/saves"));
    Write(At("target/saves/d.mgx"), "old");
    QtProcessRunner runner;
    const QString archive = At("with space.rar");
    QStringList asked;
    EXPECT_EQ(ExtractRarArchive(archive, At("target"), runner, At("program"), At("bin"), [&asked](const QString& path) {
        asked.append(path);
        return false;
    }), 0);
    EXPECT_EQ(Read(At("target/r.mgx")), QByteArray("old"));
    EXPECT_EQ(Read(At("target/saves/d.mgx")), QByteArray("old"));
    asked.sort();
    EXPECT_EQ(asked, (QStringList{At("target/r.mgx"), At("target/saves/d.mgx")}));
    EXPECT_EQ(ExtractRarArchive(archive, At("target"), runner, At("program"), At("bin")), 0);
    EXPECT_EQ(Read(At("target/r.mgx")), QByteArray("old")) << "without a question nothing is replaced";
    QFile::remove(At("target/saves/d.mgx"));
    EXPECT_EQ(ExtractRarArchive(archive, At("target"), runner, At("program"), At("bin"), [](const QString&) { return true; }), 0);

    const QStringList argv = QString::fromUtf8(*Read(At("argv"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(argv.size(), 5);
    EXPECT_EQ(argv.mid(0, 4), (QStringList{"x", "-o+", "-inul", archive}));
    EXPECT_TRUE(argv[4].startsWith(At("target/.korvale-rar-")) && argv[4].endsWith(QLatin1Char('/'))) << argv[4].toStdString();
    EXPECT_EQ(Read(At("target/r.mgx")), QByteArray("new\n"));
    EXPECT_EQ(Read(At("target/saves/d.mgx")), QByteArray("deep\n"));
    EXPECT_EQ(Names(At("target")), (QStringList{"r.mgx", "saves"})) << "the tool's own folder is gone";
}

TEST_F(RarTest, WhatTheToolWritesCannotLeadOutsideTheTarget)
{
    Write(At("outside/precious.mgx"), "precious");
    QFile::link(At("outside"), At("target/saves"));
    const QByteArray outside = QFile::encodeName(At("outside"));
    FakeUnrar(At("bin/unrar"), "ln -s '" + outside + "' \"$5/escape\"\nln -s '" + outside +
                                   "/precious.mgx' \"$5/p.mgx\"\nmkdir \"$5/saves\"; echo x > \"$5/saves/x.mgx\"\necho ok > \"$5/ok.mgx\"\n");
    QtProcessRunner runner;
    EXPECT_EQ(ExtractRarArchive(At("a.rar"), At("target"), runner, At("program"), At("bin")), 0);
    EXPECT_EQ(Names(At("outside")), QStringList{"precious.mgx"});
    EXPECT_EQ(Read(At("outside/precious.mgx")), QByteArray("precious"));
    EXPECT_EQ(Names(At("target")), (QStringList{"ok.mgx", "saves"}));
}

// The tool writes GBK names as the archive stores them; they move by their bytes, under the name
// the listing shows, and nothing stays in the staging folder.
TEST_F(RarTest, GbkNamesTheToolWritesAreMovedByTheirBytes)
{
    FakeUnrar(At("bin/unrar"), "d=$(printf '\\302\\274\\317\\361'); f=$(printf '\\326\\320.mgx')\n"
                               "mkdir \"$5/$d\"; printf gbk > \"$5/$d/$f\"\n");
    QtProcessRunner runner;
    UnpackReport report;
    EXPECT_EQ(ExtractRarArchive(At("a.rar"), At("target"), runner, At("program"), At("bin"), {}, &report), 0);
    const QByteArray folder("\xC2\xBC\xCF\xF1"), file("\xD6\xD0.mgx"); // 录像 and 中 in GBK
    EXPECT_EQ(Read(QFile::decodeName(QFile::encodeName(At("target")) + '/' + folder + '/' + file)), std::nullopt)
        << "not reachable through a decoded name";
    struct stat info {};
    EXPECT_EQ(::stat((QFile::encodeName(At("target")) + '/' + folder + '/' + file).constData(), &info), 0);
    EXPECT_EQ(info.st_size, 3);
    EXPECT_EQ(report.written, 1);
    EXPECT_EQ(Names(At("target")).size(), 1) << "the staging folder is gone";
}

TEST_F(RarTest, AFailingToolReplacesNothing)
{
    FakeUnrar(At("bin/unrar"), "echo half > \"$5/r.mgx\"\nexit 3\n");
    Write(At("target/r.mgx"), "good");
    QtProcessRunner runner;
    EXPECT_EQ(ExtractRarArchive(At("a.rar"), At("target"), runner, At("program"), At("bin")), 1);
    EXPECT_EQ(Read(At("target/r.mgx")), QByteArray("good"));
    EXPECT_EQ(Names(At("target")), QStringList{"r.mgx"});
}

TEST_F(RarTest, AStoredRarFourArchiveIsExtractedByBsdtar)
{
    const QString bsdtar = QStandardPaths::findExecutable(QStringLiteral("bsdtar"));
    if (bsdtar.isEmpty())
        GTEST_SKIP() << "bsdtar missing";
    QFile::link(bsdtar, At("bin/bsdtar"));
    const QByteArray record = RecordBytes().left(100000);
    Write(At("game 1.rar"), StoredRar("rec 1.mgx", record));
    Write(At("target/rec 1.mgx"), "older copy");
    QtProcessRunner runner;
    EXPECT_EQ(ExtractRarArchive(At("game 1.rar"), At("target"), runner, At("program"), At("bin"),
                                [](const QString&) { return true; }),
              0);
    EXPECT_EQ(Read(At("target/rec 1.mgx")), record) << "replaced, as the question allowed";
    EXPECT_EQ(Names(At("target")), QStringList{"rec 1.mgx"});
}
