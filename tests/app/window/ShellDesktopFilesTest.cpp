#include "BuildPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

const QString desktopFolder = QString::fromStdString(korvale::build::SourcePath("resources/desktop"));

// "Key=value" lines of the desktop entry's main group.
QMap<QString, QString> DesktopEntry()
{
    QMap<QString, QString> keys;
    QFile file(desktopFolder + QStringLiteral("/korvale.desktop"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    return keys;
}

} // namespace

TEST(ShellDesktopFiles, EntryStartsKorvaleWithAFileAndNamesItInBothLanguages)
{
    const QMap<QString, QString> entry = DesktopEntry();
    ASSERT_FALSE(entry.isEmpty());
    EXPECT_EQ(entry.value(QStringLiteral("Type")), "Application");
    EXPECT_EQ(entry.value(QStringLiteral("Exec")), "korvale %f");
    EXPECT_EQ(entry.value(QStringLiteral("Icon")), "korvale");
    EXPECT_EQ(entry.value(QStringLiteral("Name")), "Korvale");
    EXPECT_TRUE(entry.value(QStringLiteral("Name[zh_CN]")).startsWith(QStringLiteral("Korvale")));
    EXPECT_TRUE(entry.value(QStringLiteral("Categories")).split(QLatin1Char(';')).contains(QStringLiteral("Game")));
    EXPECT_TRUE(entry.value(QStringLiteral("MimeType")).split(QLatin1Char(';')).contains(QStringLiteral("application/x-aoc-record")));
}

TEST(ShellDesktopFiles, MimePackageGivesRecordsTheirTypeByName)
{
    QFile file(desktopFolder + QStringLiteral("/korvale-mime.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString type;
    QStringList globs;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QStringLiteral("mime-type"))
            type = xml.attributes().value(QStringLiteral("type")).toString();
        else if (xml.name() == QStringLiteral("glob"))
            globs << xml.attributes().value(QStringLiteral("pattern")).toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(type, "application/x-aoc-record");
    // UserPatch 1.4 and 1.5 write .mgz, the HD releases .mgx2, .msx and .aoe2record, Age of Kings .mgl.
    EXPECT_EQ(globs, (QStringList{"*.mgx", "*.mgz", "*.mgx2", "*.msx", "*.aoe2record", "*.mgl"}));
}

TEST(ShellDesktopFiles, MimeDatabaseAcceptsThePackage)
{
    const QString updater = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (updater.isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";
    QTemporaryDir mime;
    ASSERT_TRUE(QDir(mime.path()).mkpath(QStringLiteral("packages")));
    ASSERT_TRUE(QFile::copy(desktopFolder + QStringLiteral("/korvale-mime.xml"), mime.filePath(QStringLiteral("packages/korvale.xml"))));
    QProcess process;
    process.start(updater, {mime.path()});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    QFile globs(mime.filePath(QStringLiteral("globs2")));
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
    const QByteArray registered = globs.readAll();
    EXPECT_TRUE(registered.contains("application/x-aoc-record:*.mgx"));
    EXPECT_TRUE(registered.contains("application/x-aoc-record:*.mgz"));
}

TEST(ShellDesktopFiles, EntryPassesTheDesktopFileValidator)
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    QProcess process;
    process.start(validator, {desktopFolder + QStringLiteral("/korvale.desktop")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardOutput().toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().trimmed().isEmpty());
}
