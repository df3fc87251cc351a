#include "TestFiles.h"

#include "RecordsFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

namespace TestFiles {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::optional<QByteArray> Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QStringList Names(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QByteArray RecordBytes()
{
    QFile file(QString::fromStdString(korvale::test::RealRecordPath("aoc10a_1v1_team_spectators.mgx")));
    if (file.open(QIODevice::ReadOnly))
        return file.readAll();
    // Without the real records: bytes of the same size that repeat nowhere a test could notice.
    // The arithmetic is unsigned so that it wraps rather than overflowing.
    QByteArray pattern(300000, Qt::Uninitialized);
    for (quint32 i = 0; i < quint32(pattern.size()); ++i)
        pattern[qsizetype(i)] = char((i * 7919u) >> 3);
    return pattern;
}

std::optional<QString> OtherFileSystemFolder()
{
    struct stat tmp {}, shm {};
    if (::stat("/tmp", &tmp) != 0 || ::stat("/dev/shm", &shm) != 0 || tmp.st_dev == shm.st_dev)
        return std::nullopt;
    if (::access("/dev/shm", W_OK) != 0)
        return std::nullopt;
    return QStringLiteral("/dev/shm");
}

SmallMount::SmallMount(qint64 bytes, bool readOnly)
{
    QTemporaryDir folder;
    folder.setAutoRemove(false);
    m_path = folder.path();
    m_options = QStringLiteral("size=%1").arg(bytes);
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", readOnly ? MS_RDONLY : 0,
                        m_options.toLatin1().constData())
        == 0;
}

bool SmallMount::Remount(bool readOnly)
{
    return ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs",
                   MS_REMOUNT | (readOnly ? MS_RDONLY : 0), m_options.toLatin1().constData())
        == 0;
}

SmallMount::~SmallMount()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    QDir(m_path).removeRecursively();
}

} // namespace TestFiles
