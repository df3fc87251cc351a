#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

// What a Zip's central directory or a RAR 4 archive's file headers say of each entry, read
// without libarchive: the stored name bytes, the declared size and the checksum. libarchive cuts a
// name at a NUL byte and does not check a stored RAR entry's checksum; this is what the reading
// is checked against instead.
struct DirectoryEntry {
    QByteArray storedName; // the name bytes as stored (for a RAR Unicode name, the part before its NUL)
    QString name;          // decoded as ZipEntryName::Decode decodes it (Zip only)
    bool controlBytes = false;
    quint64 size = 0;
    quint32 crc = 0;
    bool checkable = true; // false for a RAR entry split across volumes
};

class ArchiveDirectory {
public:
    enum class Kind { Unknown, Zip, Rar4 };

    // Reads the directory of the archive at path; an archive of another kind, or one whose
    // directory cannot be read, gives an empty directory and Kind::Unknown.
    static ArchiveDirectory Read(const QString& path);

    Kind GetKind() const { return m_kind; }
    const std::vector<DirectoryEntry>& Entries() const { return m_entries; }

    // The entry libarchive calls `name` (its bytes, cut at a NUL), the index-th file header of the
    // archive. Zip entries are found by their name, the first not yet taken; RAR 4 entries by
    // their position, as libarchive reports them in file order.
    const DirectoryEntry* Match(const QByteArray& name, qsizetype index);

private:
    Kind m_kind = Kind::Unknown;
    std::vector<DirectoryEntry> m_entries;
    QHash<QByteArray, QList<qsizetype>> m_byCutName; // Zip: the untaken entries per cut name
};
