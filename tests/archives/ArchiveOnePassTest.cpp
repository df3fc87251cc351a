// Copying many entries out of an archive reads it once: an archive of thousands of records must
// not be read again for every one of them.
#include "ArchiveExtraction.h"
#include "ArchiveTestSupport.h"
#include "StepHook.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace ArchiveFixtures;
using namespace TestFiles;

TEST(ArchiveOnePass, ManyEntriesAndFoldersComeOutOfOneReading)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QList<Entry> entries;
    QStringList names;
    for (int i = 0; i < 300; ++i) {
        const QByteArray name = "r" + QByteArray::number(i) + ".mgx";
        entries.append(Entry{name, "record " + QByteArray::number(i)});
        names.append(QString::fromLatin1(name));
    }
    entries.append(Entry{"round/a.mgx", "in a folder"});
    names.append(QStringLiteral("round"));
    for (const QString& kind : {QStringLiteral("zip"), QStringLiteral("rar")}) {
        const QString archive = root.filePath("many." + kind);
        const QString target = root.filePath("out-" + kind);
        QDir().mkpath(target);
        WriteArchive(archive, entries);
        Write(target + "/r7.mgx", "mine");

        int opened = 0;
        StepHook::Set([&opened](const char* step) { opened += std::strcmp(step, "archive: opened") == 0; });
        QStringList asked;
        const ArchiveResult result = ExtractArchiveEntries(archive, names, target, [&asked](const QString& path) {
            asked.append(path);
            return true;
        });
        StepHook::Set({});
        EXPECT_EQ(result, ArchiveResult::Ok) << kind.toStdString();
        EXPECT_EQ(opened, 1) << kind.toStdString();
        EXPECT_EQ(asked, QStringList{target + "/r7.mgx"});
        EXPECT_EQ(Names(target).size(), 301);
        EXPECT_EQ(Read(target + "/r299.mgx"), QByteArray("record 299"));
        EXPECT_EQ(Read(target + "/r7.mgx"), QByteArray("record 7"));
        EXPECT_EQ(Read(target + "/round/a.mgx"), QByteArray("in a folder"));

        EXPECT_EQ(ExtractArchiveEntries(archive, {"r1.mgx", "missing.mgx"}, target, {}), ArchiveResult::TargetExists)
            << "a taken name without a Yes ends the run";
    }
}
