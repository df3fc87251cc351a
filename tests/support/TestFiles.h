#pragma once

#include "QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Small file helpers shared by the file and archive tests.
namespace TestFiles {

void Write(const QString& path, const QByteArray& bytes);
std::optional<QByteArray> Read(const QString& path);
// The names in folder, sorted, hidden ones included.
QStringList Names(const QString& folder);
// Real record bytes: the first record of the shared folder, or a fixed pattern when it is missing.
QByteArray RecordBytes();
// A folder on a file system other than the one of /tmp, or nothing.
std::optional<QString> OtherFileSystemFolder();

// A tmpfs of the given size mounted at a fresh folder (read-only when asked), unmounted and removed
// on destruction. Mounting needs privileges; check IsMounted() and skip otherwise.
class SmallMount {
public:
    SmallMount(qint64 bytes, bool readOnly);
    ~SmallMount();
    SmallMount(const SmallMount&) = delete;
    SmallMount& operator=(const SmallMount&) = delete;
    bool IsMounted() const { return m_mounted; }
    const QString& Path() const { return m_path; }
    bool Remount(bool readOnly);

private:
    QString m_path;
    QString m_options;
    bool m_mounted = false;
};

} // namespace TestFiles
