#include "ExtractZipArchive.h"

#include "DosTime.h"
#include "PosixFiles.h"
#include "ProgressSink.h"
#include "TargetFolder.h"
#include "ZipEntryName.h"

#include <QByteArray>
#include <QDir>

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
    unz_file_info info {};
    QString name;
};

// Reads the entry's header. A name longer than the first buffer is read again at full length
// instead of being cut; the extra field is read only to find a Unicode name.
bool ReadEntryInfo(unzFile archive, EntryInfo& entry)
{
    char shortName[NameBufferSize];
    if (unzGetCurrentFileInfo(archive, &entry.info, shortName, NameBufferSize, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    QByteArray name(shortName, qsizetype(qMin(entry.info.size_filename, NameBufferSize)));
    QByteArray extra;
    if (entry.info.size_filename > NameBufferSize || entry.info.size_file_extra > 0) {
        name.resize(qsizetype(entry.info.size_filename));
        extra.resize(qsizetype(entry.info.size_file_extra));
        if (unzGetCurrentFileInfo(archive, &entry.info, name.data(), uLong(name.size()), extra.data(),
                                  uLong(extra.size()), nullptr, 0)
            != UNZ_OK)
            return false;
    }
    entry.name = ZipEntryName::Decode(name, quint16(entry.info.flag), extra);
    return true;
}

// The output file while it is written: a temporary name beside the final one, removed unless
// it was put in place.
class PendingFile {
public:
    PendingFile(int folder) : m_folder(folder), m_file(CreateTemporary(folder, m_name)) {}
    ~PendingFile()
    {
        m_file.close();
        if (!m_name.isEmpty())
            ::unlinkat(m_folder, m_name.constData(), 0);
    }
    bool isOpen() const { return m_file.isValid(); }
    int fd() const { return m_file.get(); }

    bool place(const QByteArray& finalName, quint32 dosTime)
    {
        if (const std::optional<std::time_t> time = DosTime::ToUnixTime(dosTime)) {
            const struct timespec times[2] = {{0, UTIME_OMIT}, {*time, 0}};
            ::futimens(m_file.get(), times);
        }
        // A file that replaces another is synced first, so a crash cannot leave the name empty.
        if (ExistsAt(m_folder, finalName) && ::fsync(m_file.get()) != 0)
            return false;
        if (!m_file.close() || ::renameat(m_folder, m_name.constData(), m_folder, finalName.constData()) != 0)
            return false;
        m_name.clear();
        return true;
    }

private:
    int m_folder;
    QByteArray m_name;
    UniqueFd m_file;
};

int CopyEntry(unzFile archive, int output, char* buffer)
{
    for (;;) {
        const int got = unzReadCurrentFile(archive, buffer, CopyBufferSize);
        if (got < 0)
            return ZipUnpackResult::CannotReadEntry;
        if (got == 0)
            return ZipUnpackResult::Done;
        if (!WriteAll(output, buffer, size_t(got)))
            return ZipUnpackResult::CannotWrite;
    }
}

int WriteEntry(unzFile archive, int folder, const QByteArray& fileName, quint32 dosTime)
{
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[CopyBufferSize]);
    if (!buffer) {
        unzCloseCurrentFile(archive);
        return ZipUnpackResult::NoMemory;
    }
    PendingFile output(folder);
    if (!output.isOpen()) {
        unzCloseCurrentFile(archive);
        return ZipUnpackResult::CannotCreate;
    }
    const int copied = CopyEntry(archive, output.fd(), buffer.get());
    const int closed = unzCloseCurrentFile(archive);
    if (copied != ZipUnpackResult::Done)
        return copied;
    if (closed != UNZ_OK)
        return ZipUnpackResult::CannotCloseEntry;
    return output.place(fileName, dosTime) ? ZipUnpackResult::Done : ZipUnpackResult::CannotCreate;
}

// Whether the entry is to be passed over because its file exists (or nothing is to be written).
bool SkipExisting(const TargetFolder& target, const QStringList& folders, const QString& fileName, ZipOverwrite mode,
                  const ZipExtractHooks& hooks)
{
    if (mode == ZipOverwrite::Never)
        return true;
    if (mode != ZipOverwrite::Ask)
        return false;
    UniqueFd folder;
    if (target.openSubfolder(folders, false, folder) != TargetFolder::Outcome::Opened
        || !ExistsAt(folder.get(), Encode(fileName)))
        return false;
    const QString path = QDir::cleanPath(target.path() + QLatin1Char('/') + (folders + QStringList{fileName}).join(QLatin1Char('/')));
    return !hooks.confirmOverwrite || !hooks.confirmOverwrite(path);
}

} // namespace

int ExtractZipEntry(unzFile archive, const QString& targetFolder, bool keepPaths, const char* password,
                    ZipOverwrite mode, const ZipExtractHooks& hooks)
{
    EntryInfo entry;
    if (!ReadEntryInfo(archive, entry))
        return ZipUnpackResult::CannotReadEntryInfo;
    const std::optional<QStringList> safeParts = ZipEntryName::SafeParts(entry.name);
    if (!safeParts)
        return ZipUnpackResult::Done; // would land outside the target folder: passed over
    QStringList folders = *safeParts;
    const QString fileName = folders.takeLast();
    if (!keepPaths)
        folders.clear();
    const TargetFolder target(targetFolder);
    UniqueFd folder;
    if (fileName.isEmpty()) {
        if (keepPaths && target.isOpen())
            target.openSubfolder(folders, true, folder);
        return ZipUnpackResult::Done;
    }
    if (unzOpenCurrentFilePassword(archive, password) != UNZ_OK) {
        unzCloseCurrentFile(archive);
        return ZipUnpackResult::CannotOpenEntry;
    }
    if (SkipExisting(target, folders, fileName, mode, hooks)) {
        unzCloseCurrentFile(archive);
        return ZipUnpackResult::Done;
    }
    const TargetFolder::Outcome opened =
        target.isOpen() ? target.openSubfolder(folders, true, folder) : TargetFolder::Outcome::Failed;
    if (opened != TargetFolder::Outcome::Opened) {
        unzCloseCurrentFile(archive);
        return opened == TargetFolder::Outcome::Refused ? ZipUnpackResult::Done : ZipUnpackResult::CannotCreate;
    }
    return WriteEntry(archive, folder.get(), Encode(fileName), quint32(entry.info.dosDate));
}

namespace {

int ExtractEntries(unzFile archive, const QString& targetFolder, ZipOverwrite mode, const ZipExtractHooks& hooks)
{
    unz_global_info global {};
    if (unzGetGlobalInfo(archive, &global) != UNZ_OK)
        return ZipUnpackResult::CannotReadDirectory;
    if (hooks.progress)
        hooks.progress->start(QStringLiteral("正在解压缩..."), int(qMin<uLong>(global.number_entry, INT_MAX)));
    for (uLong i = 0; i < global.number_entry; ++i) {
        if (hooks.progress) {
            EntryInfo entry;
            ReadEntryInfo(archive, entry);
            if (!hooks.progress->advance(int(qMin<uLong>(i, INT_MAX)), entry.name))
                return ZipUnpackResult::Cancelled;
        }
        if (ExtractZipEntry(archive, targetFolder, true, nullptr, mode, hooks) != ZipUnpackResult::Done)
            break;
        if (i + 1 < global.number_entry && unzGoToNextFile(archive) != UNZ_OK)
            return ZipUnpackResult::CannotStepToNext;
    }
    return ZipUnpackResult::Done;
}

} // namespace

int ExtractZipArchive(const QString& archivePath, const QString& targetFolder, ZipOverwrite mode,
                      const ZipExtractHooks& hooks)
{
    unzFile archive = unzOpen(Encode(archivePath).constData());
    if (!archive)
        return ZipUnpackResult::CannotOpenArchive;
    const int result = ExtractEntries(archive, targetFolder, mode, hooks);
    if (hooks.progress)
        hooks.progress->finish();
    unzClose(archive);
    return result;
}
