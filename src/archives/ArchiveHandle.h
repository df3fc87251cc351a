#pragma once

#include "ArchiveDirectory.h"
#include "ArchiveResult.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <vector>

struct archive;
struct archive_entry;

// One pass over the entries of a Zip or RAR archive through libarchive, in the archive's order.
// Every name is checked before anyone sees it: an entry whose name could reach outside the folder
// it lands in, or whose stored name holds a NUL or control byte, has no clean name and is passed
// over by the callers. Names decode as the Zip unpack decodes them, and the bytes read are counted
// and checked against the size and checksum the archive's own directory declares.
class ArchiveHandle {
public:
    explicit ArchiveHandle(const QString& archivePath);
    ~ArchiveHandle();
    ArchiveHandle(const ArchiveHandle&) = delete;
    ArchiveHandle& operator=(const ArchiveHandle&) = delete;

    bool IsOpen() const { return m_archive != nullptr; }

    enum class Step { Entry, End, Failed };
    // Moves to the next entry's header.
    Step Next();

    // The current entry's name as '/'-separated clean parts joined ("a/b.mgx"), or nothing when the
    // name is hostile: absolute, with a drive letter, a ".." part, a control character or empty.
    std::optional<QString> CleanName() const;
    bool IsFolder() const;
    bool IsFile() const;
    // The size the archive's directory gives, when it gives one.
    std::optional<quint64> DeclaredSize() const;
    QDateTime Time() const;

    // The entry's name as stored, for reports; control characters are kept.
    QString ShownName() const;

    // Reads the current entry's bytes, at most MaxArchiveEntrySize of them: a declared size can
    // lie, so the reading itself stops one byte past the limit. Damaged when the count or the
    // checksum disagrees with what the archive declares.
    ArchiveResult ReadData(std::vector<std::uint8_t>& bytes);

private:
    QString DecodedName() const;

    archive* m_archive = nullptr;
    archive_entry* m_entry = nullptr;
    ArchiveDirectory m_directory;
    const DirectoryEntry* m_declared = nullptr; // the current entry in m_directory, when found
    qsizetype m_index = -1;
};
