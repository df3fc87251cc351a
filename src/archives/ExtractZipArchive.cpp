#include "ExtractZipArchive.h"

#include "ArchiveResult.h"
#include "ArchiveUnpack.h"
#include "DosTime.h"
#include "PosixFiles.h"
#include "ProgressSink.h"
#include "StepHook.h"
#include "TargetFolder.h"
#include "UnpackReport.h"
#include "ZipEntryName.h"

#include <QByteArray>
#include <QDir>
#include <QSet>

#include <libdeflate.h>
#include <zlib.h>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

using namespace PosixFiles;

namespace {

constexpr uLong NameBufferSize = 256;
constexpr unsigned CopyBufferSize = 16384;

struct EntryInfo {
    unz_file_info64 info {};
    QString name;
    bool controlBytes = false;
};

// Reads the entry's header. A name longer than the first buffer is read again at full length
// instead of being cut; the extra field is read only to find a Unicode name.
bool ReadEntryInfo(unzFile archive, EntryInfo& entry)
{
    char shortName[NameBufferSize];
    if (unzGetCurrentFileInfo64(archive, &entry.info, shortName, NameBufferSize, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    QByteArray name(shortName, qsizetype(qMin<uLong>(entry.info.size_filename, NameBufferSize)));
    QByteArray extra;
    if (entry.info.size_filename > NameBufferSize || entry.info.size_file_extra > 0) {
        name.resize(qsizetype(entry.info.size_filename));
        extra.resize(qsizetype(entry.info.size_file_extra));
        if (unzGetCurrentFileInfo64(archive, &entry.info, name.data(), uLong(name.size()), extra.data(),
                                    uLong(extra.size()), nullptr, 0)
            != UNZ_OK)
            return false;
    }
    entry.controlBytes = ZipEntryName::HasControlByte(name);
    entry.name = ZipEntryName::Decode(name, quint16(entry.info.flag), extra);
    return true;
}

int FromWriteErrno(int error)
{
    switch (FailureFromErrno(error)) {
    case EntryFailure::NoSpace: return ZipUnpackResult::NoSpace;
    case EntryFailure::NameTooLong: return ZipUnpackResult::NameTooLong;
    case EntryFailure::Clash: return ZipUnpackResult::Clash;
    default: return ZipUnpackResult::CannotWrite;
    }
}

// The output file while it is written: a temporary name beside the final one, removed unless
// it was put in place.
class PendingFile {
public:
    PendingFile(int folder) : m_folder(folder), m_file(CreateTemporary(folder, m_name)), m_error(m_file.IsValid() ? 0 : errno) {}
    ~PendingFile()
    {
        m_file.Close();
        if (!m_name.isEmpty())
            ::unlinkat(m_folder, m_name.constData(), 0);
    }
    bool IsOpen() const { return m_file.IsValid(); }
    int Fd() const { return m_file.Get(); }
    int Error() const { return m_error; }

    int Place(const QByteArray& finalName, quint32 dosTime)
    {
        if (const std::optional<std::time_t> time = DosTime::ToUnixTime(dosTime)) {
            const struct timespec times[2] = {{0, UTIME_OMIT}, {*time, 0}};
            ::futimens(m_file.Get(), times);
        }
        // Synced first, so a crash cannot leave the name empty or a replaced file half written.
        if (::fsync(m_file.Get()) != 0 || !m_file.Close())
            return FromWriteErrno(errno);
        StepHook::Reach("unpack: entry written");
        if (::renameat(m_folder, m_name.constData(), m_folder, finalName.constData()) != 0)
            return FromWriteErrno(errno);
        m_name.clear();
        return ZipUnpackResult::Done;
    }

private:
    int m_folder;
    QByteArray m_name;
    UniqueFd m_file;
    int m_error;
};

// Copies the entry's bytes, counting them and computing their checksum: minizip checks the
// checksum only when the whole declared size was read, so an entry that declares more bytes than
// it holds would pass it. Never writes more than the declared size.
int CopyEntry(unzFile archive, int output, char* buffer, const unz_file_info64& info)
{
    quint64 total = 0;
    uLong crc = crc32(0, nullptr, 0);
    for (;;) {
        const int got = unzReadCurrentFile(archive, buffer, CopyBufferSize);
        if (got < 0)
            return ZipUnpackResult::CannotCloseEntry;
        if (got == 0)
            break;
        total += quint64(got);
        if (total > info.uncompressed_size)
            return ZipUnpackResult::CannotCloseEntry;
        crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer), uInt(got));
        if (!WriteAll(output, buffer, size_t(got)))
            return FromWriteErrno(errno);
    }
    return total == info.uncompressed_size && crc == info.crc ? ZipUnpackResult::Done : ZipUnpackResult::CannotCloseEntry;
}

// Reads the compressed bytes of the entry open raw: straight from the archive file when its
// descriptor is at hand (minizip would copy them in small pieces and checksum them on the way),
// else through minizip. False when the archive holds fewer.
bool ReadPacked(unzFile archive, int archiveFd, std::uint8_t* packed, size_t packedSize)
{
    size_t read = 0;
    if (archiveFd >= 0) {
        const auto start = off_t(unzGetCurrentFileZStreamPos64(archive));
        while (read < packedSize) {
            const ssize_t got = ::pread(archiveFd, packed + read, packedSize - read, start + off_t(read));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            read += size_t(got);
        }
        return true;
    }
    while (read < packedSize) {
        const int got = unzReadCurrentFile(archive, packed + read, unsigned(qMin<size_t>(packedSize - read, INT_MAX)));
        if (got <= 0)
            return false;
        read += size_t(got);
    }
    return true;
}

// Reads the entry's compressed bytes in one pass and inflates them whole with libdeflate into a
// buffer of the declared size, checking the size and the checksum here: an entry that holds more
// bytes than it declares, fewer, or other ones fails before anything is written. The entry must be
// open raw.
int CopyWholeEntry(unzFile archive, int archiveFd, int output, const unz_file_info64& info)
{
    const auto packedSize = size_t(info.compressed_size);
    const auto size = size_t(info.uncompressed_size);
    std::unique_ptr<std::uint8_t[]> packed(new (std::nothrow) std::uint8_t[packedSize > 0 ? packedSize : 1]);
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[size > 0 ? size : 1]);
    std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> decompressor(
        libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
    if (!packed || !bytes || !decompressor)
        return ZipUnpackResult::NoMemory;
    if (!ReadPacked(archive, archiveFd, packed.get(), packedSize))
        return ZipUnpackResult::CannotCloseEntry;
    size_t inflated = 0;
    if (libdeflate_deflate_decompress(decompressor.get(), packed.get(), packedSize, bytes.get(), size, &inflated) != LIBDEFLATE_SUCCESS
        || inflated != size || libdeflate_crc32(0, bytes.get(), size) != info.crc)
        return ZipUnpackResult::CannotCloseEntry;
    return WriteAll(output, reinterpret_cast<const char*>(bytes.get()), size) ? ZipUnpackResult::Done : FromWriteErrno(errno);
}

// Whether the entry goes the whole-buffer way: deflated, not encrypted, and its compressed size one
// a deflate stream of its declared size can have (stored blocks add five bytes in 65535), so both
// buffers stay within the size already checked.
bool InflatesWhole(const unz_file_info64& info, const char* password)
{
    constexpr uLong Deflated = 8;
    constexpr uLong Encrypted = 1;
    return !password && info.compression_method == Deflated && !(info.flag & Encrypted)
        && info.uncompressed_size <= quint64(MaxArchiveEntrySize)
        && info.compressed_size <= info.uncompressed_size + info.uncompressed_size / 8 + 1024;
}

int WriteEntry(unzFile archive, int archiveFd, int folder, const QByteArray& fileName, const unz_file_info64& info,
               bool whole)
{
    std::unique_ptr<char[]> buffer(whole ? nullptr : new (std::nothrow) char[CopyBufferSize]);
    if (!whole && !buffer)
        return ZipUnpackResult::NoMemory;
    PendingFile output(folder);
    if (!output.IsOpen())
        return FromWriteErrno(output.Error());
    const int copied = whole ? CopyWholeEntry(archive, archiveFd, output.Fd(), info) : CopyEntry(archive, output.Fd(), buffer.get(), info);
    if (unzCloseCurrentFile(archive) != UNZ_OK && copied == ZipUnpackResult::Done)
        return ZipUnpackResult::CannotCloseEntry;
    if (copied != ZipUnpackResult::Done)
        return copied;
    return output.Place(fileName, quint32(info.dosDate));
}

// Closes the entry opened for reading whatever way the function leaves.
struct OpenEntry {
    unzFile archive;
    bool open = false;
    ~OpenEntry()
    {
        if (open)
            unzCloseCurrentFile(archive);
    }
};

// Whether the entry is to be passed over because its file exists (or nothing is to be written).
bool SkipExisting(const TargetFolder& target, const QStringList& folders, const QString& fileName, ZipOverwrite mode,
                  const ZipExtractHooks& hooks)
{
    if (mode == ZipOverwrite::Never)
        return true;
    if (mode != ZipOverwrite::Ask)
        return false;
    UniqueFd folder;
    if (target.OpenSubfolder(folders, false, folder) != TargetFolder::Outcome::Opened
        || !ExistsAt(folder.Get(), Encode(fileName)))
        return false;
    const QString path = QDir::cleanPath(target.Path() + QLatin1Char('/') + (folders + QStringList{fileName}).join(QLatin1Char('/')));
    return !hooks.confirmOverwrite || !hooks.confirmOverwrite(path);
}

// Refuses an entry no record can be, or one the file system has no room for, before writing.
int CheckSize(int folder, const unz_file_info64& info)
{
    if (info.uncompressed_size > quint64(MaxArchiveEntrySize))
        return ZipUnpackResult::TooLarge;
    const std::optional<quint64> free = FreeBytes(folder);
    if (free && info.uncompressed_size > *free)
        return ZipUnpackResult::NoSpace;
    return ZipUnpackResult::Done;
}

// A link made on Unix: its data names where it points, and no link is ever unpacked.
bool IsLink(const unz_file_info64& info)
{
    constexpr uLong MadeOnUnix = 3;
    return (info.version >> 8) == MadeOnUnix && ((info.external_fa >> 16) & S_IFMT) == S_IFLNK;
}

int ExtractEntry(unzFile archive, int archiveFd, const EntryInfo& entry, const QString& targetFolder, bool keepPaths,
                 const char* password, ZipOverwrite mode, const ZipExtractHooks& hooks, bool& written)
{
    const std::optional<QStringList> safeParts =
        entry.controlBytes ? std::nullopt : ZipEntryName::SafeParts(entry.name);
    if (!safeParts || IsLink(entry.info))
        return ZipUnpackResult::HostileName;
    QStringList folders = *safeParts;
    const QString fileName = folders.takeLast();
    if (!keepPaths)
        folders.clear();
    const TargetFolder target(targetFolder);
    if (!target.IsOpen())
        return ZipUnpackResult::CannotCreate;
    UniqueFd folder;
    if (fileName.isEmpty()) {
        if (!keepPaths)
            return ZipUnpackResult::Done;
        const TargetFolder::Outcome made = target.OpenSubfolder(folders, true, folder);
        return made == TargetFolder::Outcome::Opened ? ZipUnpackResult::Done
            : made == TargetFolder::Outcome::Refused ? ZipUnpackResult::HostileName
                                                     : FromWriteErrno(errno);
    }
    if (SkipExisting(target, folders, fileName, mode, hooks))
        return ZipUnpackResult::Done;
    const TargetFolder::Outcome opened = target.OpenSubfolder(folders, true, folder);
    if (opened != TargetFolder::Outcome::Opened)
        return opened == TargetFolder::Outcome::Refused ? ZipUnpackResult::HostileName : FromWriteErrno(errno);
    if (const int size = CheckSize(folder.Get(), entry.info); size != ZipUnpackResult::Done)
        return size;
    OpenEntry open{archive};
    const bool whole = InflatesWhole(entry.info, password);
    if ((whole ? unzOpenCurrentFile2(archive, nullptr, nullptr, 1) : unzOpenCurrentFilePassword(archive, password)) != UNZ_OK)
        return ZipUnpackResult::CannotOpenEntry;
    open.open = true;
    const int result = WriteEntry(archive, archiveFd, folder.Get(), Encode(fileName), entry.info, whole);
    open.open = false;
    written = result == ZipUnpackResult::Done;
    return result;
}

EntryFailure FailureOf(int result)
{
    switch (result) {
    case ZipUnpackResult::HostileName: return EntryFailure::HostileName;
    case ZipUnpackResult::TooLarge: return EntryFailure::TooLarge;
    case ZipUnpackResult::NoSpace: return EntryFailure::NoSpace;
    case ZipUnpackResult::NameTooLong: return EntryFailure::NameTooLong;
    case ZipUnpackResult::Clash: return EntryFailure::Clash;
    case ZipUnpackResult::CannotCloseEntry:
    case ZipUnpackResult::CannotOpenEntry:
    case ZipUnpackResult::CannotReadEntry: return EntryFailure::Damaged;
    default: return EntryFailure::CannotWrite;
    }
}

// ExtractZipEntry, reading compressed bytes through archiveFd when it is open on the archive file.
int ExtractEntryReported(unzFile archive, int archiveFd, const QString& targetFolder, bool keepPaths,
                         const char* password, ZipOverwrite mode, const ZipExtractHooks& hooks)
{
    EntryInfo entry;
    if (!ReadEntryInfo(archive, entry))
        return ZipUnpackResult::CannotReadEntryInfo;
    bool written = false;
    const int result = ExtractEntry(archive, archiveFd, entry, targetFolder, keepPaths, password, mode, hooks, written);
    if (hooks.report && written)
        ++hooks.report->written;
    if (hooks.report && result != ZipUnpackResult::Done)
        hooks.report->Fail(entry.name, FailureOf(result));
    return result;
}

} // namespace

int ExtractZipEntry(unzFile archive, const QString& targetFolder, bool keepPaths, const char* password,
                    ZipOverwrite mode, const ZipExtractHooks& hooks)
{
    return ExtractEntryReported(archive, -1, targetFolder, keepPaths, password, mode, hooks);
}

namespace {

int ExtractEntries(unzFile archive, int archiveFd, const QString& targetFolder, ZipOverwrite mode,
                   const ZipExtractHooks& hooks)
{
    unz_global_info64 global {};
    if (unzGetGlobalInfo64(archive, &global) != UNZ_OK)
        return ZipUnpackResult::CannotReadDirectory;
    if (hooks.progress)
        hooks.progress->Start(QStringLiteral("正在解压缩..."), int(qMin<ZPOS64_T>(global.number_entry, INT_MAX)));
    bool allDone = true;
    QSet<QString> written; // an archive that names a file twice does not replace its own first one
    for (ZPOS64_T i = 0; i < global.number_entry; ++i) {
        EntryInfo entry;
        ReadEntryInfo(archive, entry);
        if (hooks.progress && !hooks.progress->Advance(int(qMin<ZPOS64_T>(i, INT_MAX)), entry.name))
            return ZipUnpackResult::Cancelled;
        const std::optional<QStringList> parts = ZipEntryName::SafeParts(entry.name);
        const QString key = parts ? parts->join(QLatin1Char('/')) : QString();
        if (parts && !key.endsWith(QLatin1Char('/')) && written.contains(key)) {
            if (hooks.report)
                hooks.report->Fail(entry.name, EntryFailure::Clash);
            allDone = false;
        } else if (ExtractEntryReported(archive, archiveFd, targetFolder, true, nullptr, mode, hooks) != ZipUnpackResult::Done) {
            allDone = false;
        } else if (parts) {
            written.insert(key);
        }
        // The directory itself is cut or damaged here: nothing further can be found.
        if (i + 1 < global.number_entry && unzGoToNextFile(archive) != UNZ_OK)
            return ZipUnpackResult::CannotStepToNext;
    }
    return allDone ? ZipUnpackResult::Done : ZipUnpackResult::SomeEntriesFailed;
}

// A Zip whose central directory is cut or damaged still holds its entries one after the other:
// libarchive reads them from their local headers, each checked as any other entry. It also reads
// the Zip64 fields.
int ExtractWithoutDirectory(const QString& archivePath, const QString& targetFolder, ZipOverwrite mode,
                            const ZipExtractHooks& hooks)
{
    if (mode == ZipOverwrite::Never)
        return ZipUnpackResult::CannotOpenArchive;
    const std::function<bool(const QString&)> confirm =
        mode == ZipOverwrite::Always ? [](const QString&) { return true; } : hooks.confirmOverwrite;
    UnpackReport own;
    switch (UnpackArchive(archivePath, targetFolder, confirm, hooks.progress, hooks.report ? *hooks.report : own)) {
    case ArchiveUnpackResult::Done: return ZipUnpackResult::Done;
    case ArchiveUnpackResult::Cancelled: return ZipUnpackResult::Cancelled;
    case ArchiveUnpackResult::SomeEntriesFailed: return ZipUnpackResult::SomeEntriesFailed;
    case ArchiveUnpackResult::Unreadable: break;
    }
    return ZipUnpackResult::CannotOpenArchive;
}

// Whether an entry keeps its sizes in a Zip64 field. The minizip the program links reports such
// sizes as 0xFFFFFFFF, so those archives go the way libarchive reads them.
bool HasZip64Sizes(unzFile archive)
{
    bool found = false;
    for (int status = unzGoToFirstFile(archive); status == UNZ_OK && !found; status = unzGoToNextFile(archive)) {
        unz_file_info64 info {};
        found = unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK
            && (info.uncompressed_size == 0xFFFFFFFFu || info.compressed_size == 0xFFFFFFFFu);
    }
    unzGoToFirstFile(archive);
    return found;
}

} // namespace

int ExtractZipArchive(const QString& archivePath, const QString& targetFolder, ZipOverwrite mode,
                      const ZipExtractHooks& hooks)
{
    unzFile archive = unzOpen64(Encode(archivePath).constData());
    if (!archive || HasZip64Sizes(archive)) {
        if (archive)
            unzClose(archive);
        return ExtractWithoutDirectory(archivePath, targetFolder, mode, hooks);
    }
    // The same file once more, for reading each entry's compressed bytes in one call.
    const UniqueFd archiveFd(::open(Encode(archivePath).constData(), O_RDONLY | O_CLOEXEC));
    const int result = ExtractEntries(archive, archiveFd.Get(), targetFolder, mode, hooks);
    if (hooks.progress)
        hooks.progress->Finish();
    unzClose(archive);
    return result;
}
