#include "ArchiveDirectory.h"

#include "PosixFiles.h"
#include "ZipEntryName.h"

#include <unzip.h>

#include <fcntl.h>
#include <unistd.h>

using namespace PosixFiles;

namespace {

// More entries than any archive of records holds; a directory that claims more is not trusted.
constexpr qsizetype MaxEntries = 1 << 20;
constexpr quint8 RarMarker[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr quint8 RarFileHeader = 0x74;
constexpr quint8 RarEndHeader = 0x7B;
constexpr quint16 RarLongBlock = 0x8000;
constexpr quint16 RarSplitFlags = 0x0003;
constexpr quint16 RarLargeFlag = 0x0100;
constexpr quint16 RarUnicodeFlag = 0x0200;
constexpr qsizetype RarFixedFileFields = 25; // sizes, host, CRC, time, versions, name size, attributes

quint32 Little(const QByteArray& bytes, qsizetype at, int count)
{
    quint32 value = 0;
    for (int i = 0; i < count; ++i)
        value |= quint32(quint8(bytes[at + i])) << (8 * i);
    return value;
}

QByteArray ReadAt(int fd, qint64 offset, qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    const ssize_t got = ::pread(fd, bytes.data(), size_t(size), off_t(offset));
    if (got < 0)
        return {};
    bytes.truncate(qsizetype(got));
    return bytes;
}

// Walks the RAR 4 block chain from after the marker. Stops quietly at the first block that does
// not make sense: what was read so far stays usable, and libarchive reports the damage itself.
void ReadRarHeaders(int fd, std::vector<DirectoryEntry>& entries)
{
    qint64 at = sizeof RarMarker;
    while (qsizetype(entries.size()) < MaxEntries) {
        const QByteArray head = ReadAt(fd, at, 7);
        if (head.size() < 7)
            return;
        const quint8 type = quint8(head[2]);
        const quint16 flags = quint16(Little(head, 3, 2));
        const quint16 headSize = quint16(Little(head, 5, 2));
        if (headSize < 7 || type == RarEndHeader)
            return;
        const QByteArray header = ReadAt(fd, at, headSize);
        if (header.size() < headSize)
            return;
        quint64 dataSize = (flags & RarLongBlock) && headSize >= 11 ? Little(header, 7, 4) : 0;
        if (type == RarFileHeader) {
            if (headSize < 7 + RarFixedFileFields)
                return;
            DirectoryEntry entry;
            entry.size = Little(header, 11, 4);
            entry.crc = Little(header, 16, 4);
            const qsizetype nameSize = qsizetype(Little(header, 26, 2));
            qsizetype nameAt = 7 + RarFixedFileFields;
            if (flags & RarLargeFlag) {
                if (headSize < nameAt + 8)
                    return;
                dataSize |= quint64(Little(header, nameAt, 4)) << 32;
                entry.size |= quint64(Little(header, nameAt + 4, 4)) << 32;
                nameAt += 8;
            }
            if (nameAt + nameSize > headSize)
                return;
            entry.storedName = header.mid(nameAt, nameSize);
            // A Unicode name is the plain name, a NUL, then the encoded form libarchive decodes.
            if (const qsizetype nul = entry.storedName.indexOf('\0'); (flags & RarUnicodeFlag) && nul >= 0)
                entry.storedName.truncate(nul);
            entry.controlBytes = ZipEntryName::HasControlByte(entry.storedName);
            entry.checkable = (flags & RarSplitFlags) == 0;
            entries.push_back(std::move(entry));
        }
        at += qint64(headSize) + qint64(dataSize);
    }
}

void ReadZipDirectory(unzFile archive, std::vector<DirectoryEntry>& entries)
{
    for (int status = unzGoToFirstFile(archive); status == UNZ_OK && qsizetype(entries.size()) < MaxEntries;
         status = unzGoToNextFile(archive)) {
        unz_file_info64 info {};
        if (unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            return;
        QByteArray name(qsizetype(info.size_filename), Qt::Uninitialized);
        QByteArray extra(qsizetype(info.size_file_extra), Qt::Uninitialized);
        if (unzGetCurrentFileInfo64(archive, &info, name.data(), uLong(name.size()), extra.data(), uLong(extra.size()),
                                    nullptr, 0)
            != UNZ_OK)
            return;
        DirectoryEntry entry;
        entry.controlBytes = ZipEntryName::HasControlByte(name);
        entry.name = ZipEntryName::Decode(name, quint16(info.flag), extra);
        entry.storedName = std::move(name);
        entry.size = info.uncompressed_size;
        entry.crc = quint32(info.crc);
        // minizip leaves Zip64 sizes unread; libarchive reads and checks those entries itself.
        entry.checkable = info.uncompressed_size != 0xFFFFFFFFu && info.compressed_size != 0xFFFFFFFFu;
        entries.push_back(std::move(entry));
    }
}

} // namespace

ArchiveDirectory ArchiveDirectory::Read(const QString& path)
{
    ArchiveDirectory directory;
    UniqueFd file(::open(Encode(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsValid())
        return directory;
    const QByteArray start = ReadAt(file.Get(), 0, sizeof RarMarker);
    if (start == QByteArray(reinterpret_cast<const char*>(RarMarker), sizeof RarMarker)) {
        directory.m_kind = Kind::Rar4;
        ReadRarHeaders(file.Get(), directory.m_entries);
        return directory;
    }
    if (!start.startsWith("PK"))
        return directory;
    unzFile archive = unzOpen64(Encode(path).constData());
    if (!archive)
        return directory;
    directory.m_kind = Kind::Zip;
    ReadZipDirectory(archive, directory.m_entries);
    unzClose(archive);
    for (qsizetype i = 0; i < qsizetype(directory.m_entries.size()); ++i) {
        const QByteArray& stored = directory.m_entries[size_t(i)].storedName;
        const qsizetype nul = stored.indexOf('\0');
        directory.m_byCutName[nul < 0 ? stored : stored.left(nul)].append(i);
    }
    return directory;
}

const DirectoryEntry* ArchiveDirectory::Match(const QByteArray& name, qsizetype index)
{
    if (m_kind == Kind::Rar4)
        return index >= 0 && index < qsizetype(m_entries.size()) ? &m_entries[size_t(index)] : nullptr;
    auto found = m_byCutName.find(name);
    if (found == m_byCutName.end() || found->isEmpty())
        return nullptr;
    return &m_entries[size_t(found->takeFirst())];
}
