#include "CreateZipArchive.h"

#include "DosTime.h"
#include "PosixFiles.h"
#include "ProgressSink.h"
#include "StepHook.h"
#include "ZipEntryName.h"

#include <zip.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

using namespace PosixFiles;

namespace {

constexpr size_t CopyBufferSize = 16384;

bool StartEntry(zipFile archive, const QString& name, quint32 dosTime, int level)
{
    const ZipEntryName::Stored stored = ZipEntryName::Encode(name);
    zip_fileinfo info {};
    info.dosDate = dosTime;
    const void* extra = stored.extraField.isEmpty() ? nullptr : stored.extraField.constData();
    const uInt extraSize = uInt(stored.extraField.size());
    // The Unicode Path field goes into the local and the central header, as readers look in either.
    return zipOpenNewFileInZip4(archive, stored.name.constData(), &info, extra, extraSize, extra, extraSize, nullptr,
                                level != 0 ? Z_DEFLATED : 0, level, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                nullptr, 0, 0, stored.flags)
        == ZIP_OK;
}

int CopySource(zipFile archive, int source, char* buffer)
{
    for (;;) {
        const ssize_t got = ::read(source, buffer, CopyBufferSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ZipPackResult::ShortRead;
        if (got == 0)
            return ZipPackResult::Done;
        if (zipWriteInFileInZip(archive, buffer, unsigned(got)) < 0)
            return ZipPackResult::CannotWrite;
    }
}

int AddEntry(zipFile archive, const QString& sourceFolder, const QString& name, int level, char* buffer)
{
    const QString path = sourceFolder + QLatin1Char('/') + name;
    if (!StartEntry(archive, name, GetDosFileTime(path).value_or(0), level))
        return ZipPackResult::CannotStartEntry;
    UniqueFd source(::open(Encode(path).constData(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    // A folder opens for reading on POSIX but is not a file to pack.
    if (!source.IsValid() || ::fstat(source.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return ZipPackResult::CannotOpenSource;
    return CopySource(archive, source.Get(), buffer);
}

int WriteEntries(zipFile archive, const QString& sourceFolder, const QStringList& names, int level,
                 ProgressSink* progress)
{
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[CopyBufferSize]);
    if (!buffer)
        return ZipPackResult::NoMemory;
    for (int i = 0; i < names.size(); ++i) {
        if (progress && !progress->Advance(i, names[i]))
            return ZipPackResult::Cancelled;
        const int result = AddEntry(archive, sourceFolder, names[i], level, buffer.get());
        if (result != ZipPackResult::Done)
            return result;
        StepHook::Reach("pack: entry added");
    }
    return ZipPackResult::Done;
}

bool SyncFile(const QByteArray& path)
{
    UniqueFd file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    return file.IsValid() && ::fsync(file.Get()) == 0;
}

int Pack(const QString& zipFolder, const QString& zipName, const QString& sourceFolder, const QStringList& names,
         int level, ProgressSink* progress)
{
    UniqueFd folder = OpenFolder(zipFolder);
    QByteArray temporaryName;
    if (!folder.IsValid() || !CreateTemporary(folder.Get(), temporaryName).IsValid())
        return ZipPackResult::CannotCreate;
    const QByteArray temporaryPath = Encode(zipFolder) + '/' + temporaryName;
    int result = ZipPackResult::CannotCreate;
    if (zipFile archive = zipOpen(temporaryPath.constData(), APPEND_STATUS_CREATE)) {
        result = WriteEntries(archive, sourceFolder, names, level, progress);
        if (zipClose(archive, nullptr) != ZIP_OK && result == ZipPackResult::Done)
            result = ZipPackResult::CannotClose;
    }
    StepHook::Reach("pack: archive closed");
    if (result == ZipPackResult::Done
        && (!SyncFile(temporaryPath)
            || ::renameat(folder.Get(), temporaryName.constData(), folder.Get(), Encode(zipName).constData()) != 0))
        result = ZipPackResult::CannotClose;
    if (result != ZipPackResult::Done)
        ::unlinkat(folder.Get(), temporaryName.constData(), 0);
    return result;
}

} // namespace

int CreateZipArchive(const QString& zipFolder, const QString& zipName, const QString& sourceFolder,
                     const QStringList& names, int level, ProgressSink* progress)
{
    if (progress)
        progress->Start(QStringLiteral("正在压缩..."), int(names.size()));
    int result = ZipPackResult::Unexpected;
    try {
        result = Pack(zipFolder, zipName, sourceFolder, names, level, progress);
    } catch (...) {
        result = ZipPackResult::Unexpected;
    }
    if (progress)
        progress->Finish();
    return result;
}
