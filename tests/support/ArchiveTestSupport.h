#pragma once

#include "RarStoreWriter.h"
#include "RawZip.h"
#include "TestFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <string>
#include <vector>

// Zip and RAR fixtures for the archive tests: the same entries written either way.
namespace ArchiveFixtures {

struct Entry {
    QByteArray name;
    QByteArray data;
    bool folder = false;
};

inline std::vector<std::uint8_t> Bytes(const QByteArray& data) { return {data.begin(), data.end()}; }

inline QByteArray Zip(const QList<Entry>& entries)
{
    QList<RawZipEntry> raw;
    for (const Entry& entry : entries)
        raw.append(RawZipEntry(entry.name, entry.data, 0, {}, !entry.folder));
    return BuildZip(raw);
}

inline QByteArray Rar(const QList<Entry>& entries)
{
    std::vector<korvale::test::RarStoreEntry> raw;
    for (const Entry& entry : entries) {
        // RAR names folders without a trailing separator.
        QByteArray name = entry.name;
        if (entry.folder && name.endsWith('/'))
            name.chop(1);
        raw.push_back({name.toStdString(), Bytes(entry.data), entry.folder, {}, 0x5A2B6C31, {}});
    }
    const std::vector<std::uint8_t> bytes = korvale::test::BuildRarStore(raw);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// An archive of the kind its name says ("*.zip" or "*.rar") written at path.
inline void WriteArchive(const QString& path, const QList<Entry>& entries)
{
    TestFiles::Write(path, path.endsWith(QStringLiteral(".rar")) ? Rar(entries) : Zip(entries));
}

} // namespace ArchiveFixtures
