#include "RecordRepair.h"

#include "RecordLayout.h"
#include "RunningMatch.h"
#include "Utf8Path.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace Mgx {

namespace {

// The body's second integer is the first value of its prefix; the body begins four bytes before it.
constexpr std::uint8_t BodyPattern[] = {
    static_cast<std::uint8_t>(BodyLayout::FirstPrefixValue), static_cast<std::uint8_t>(BodyLayout::FirstPrefixValue >> 8),
    static_cast<std::uint8_t>(BodyLayout::FirstPrefixValue >> 16), static_cast<std::uint8_t>(BodyLayout::FirstPrefixValue >> 24)};
constexpr std::int64_t SearchStart = 4;
constexpr std::size_t PieceSize = 8192;
// A body can only begin after the two leading fields and a header block of at least one byte.
constexpr std::int64_t SmallestBodyOffset = 9;

class ReadWriteFile {
public:
    ReadWriteFile(const std::string& path, RecordOpener open) : m_file(open(path)) {}
    ~ReadWriteFile() { Close(); }
    bool IsOpen() const { return m_file != nullptr; }
    std::FILE* Get() const { return m_file; }
    bool Close()
    {
        const bool ok = !m_file || std::fclose(m_file) == 0;
        m_file = nullptr;
        return ok;
    }

private:
    std::FILE* m_file = nullptr;
};

void RemoveBackup(const std::string& backupPath)
{
    std::error_code ignored;
    std::filesystem::remove(PathFromUtf8(backupPath), ignored);
}

bool SyncFile(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(fileno(file)) == 0;
#endif
}

enum class SearchResult { Found, NotFound, ReadFailed };

// Reads from offset 4 in fixed pieces; a partial match carries over from one piece to the next.
SearchResult FindBodyOffset(std::FILE* file, std::int64_t& bodyOffset)
{
    if (std::fseek(file, SearchStart, SEEK_SET) != 0)
        return SearchResult::ReadFailed;
    std::uint8_t piece[PieceSize];
    RunningMatch match(BodyPattern, sizeof BodyPattern);
    std::int64_t offset = SearchStart;
    for (;;) {
        const std::size_t count = std::fread(piece, 1, sizeof piece, file);
        if (std::ferror(file))
            return SearchResult::ReadFailed;
        for (std::size_t i = 0; i < count; ++i, ++offset) {
            if (match.Feed(piece[i])) {
                const std::int64_t patternStart = offset + 1 - static_cast<std::int64_t>(sizeof BodyPattern);
                // An earlier hit would name an offset no body can start at, and write a header
                // that still does not load: look on.
                if (patternStart - 4 >= SmallestBodyOffset) {
                    bodyOffset = patternStart - 4;
                    return SearchResult::Found;
                }
            }
        }
        if (count < sizeof piece)
            return SearchResult::NotFound;
    }
}

std::FILE* OpenForRepair(const std::string& path) { return OpenFileUtf8(path, "r+b"); }

// Copies the record to a new backup file and makes the copy durable before the record is touched;
// a backup cut short (a full disk) is removed rather than left looking like a good one.
bool MakeBackup(const std::string& path, const std::string& backupPath)
{
    std::error_code error;
    if (!std::filesystem::copy_file(PathFromUtf8(path), PathFromUtf8(backupPath), std::filesystem::copy_options::none, error)
        || error) {
        if (error != std::errc::file_exists)
            RemoveBackup(backupPath);
        return false;
    }
    std::FILE* backup = OpenFileUtf8(backupPath, "r+b");
    const bool synced = backup && std::fflush(backup) == 0 && SyncFile(backup);
    if (backup && std::fclose(backup) != 0)
        return RemoveBackup(backupPath), false;
    if (!synced)
        RemoveBackup(backupPath);
    return synced;
}

} // namespace

std::string RepairBackupPath(const std::string& path) { return path + ".bak"; }

RepairCode RepairRecordFile(const std::string& path, const std::string& backupPath)
{
    return RepairRecordFile(path, backupPath, OpenForRepair);
}

std::string FreeRepairBackupPath(const std::string& path)
{
    std::string candidate = RepairBackupPath(path);
    std::error_code error;
    for (int number = 1; number < 1000 && std::filesystem::symlink_status(PathFromUtf8(candidate), error).type()
                                            != std::filesystem::file_type::not_found;
         ++number)
        candidate = path + "." + std::to_string(number) + ".bak";
    return candidate;
}

RepairCode RepairRecordFile(const std::string& path, const std::string& backupPath, RecordOpener open)
{
    // A FIFO or a device would block the copy for ever; a missing file fails at the backup.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(path), error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return RepairCode::OpenFailed;
    if (!MakeBackup(path, backupPath))
        return RepairCode::BackupFailed;

    ReadWriteFile file(path, open);
    if (!file.IsOpen()) {
        RemoveBackup(backupPath);
        return RepairCode::OpenFailed;
    }
    std::int32_t headerEnd = -1;
    if (std::fread(&headerEnd, sizeof headerEnd, 1, file.Get()) != 1) {
        file.Close();
        RemoveBackup(backupPath);
        return RepairCode::ReadFailed;
    }
    if (headerEnd != 0) {
        file.Close();
        RemoveBackup(backupPath);
        return RepairCode::NothingToRepair;
    }

    std::int64_t bodyOffset = 0;
    switch (FindBodyOffset(file.Get(), bodyOffset)) {
    case SearchResult::ReadFailed:
        file.Close();
        RemoveBackup(backupPath);
        return RepairCode::ReadFailed;
    case SearchResult::NotFound:
        // Nothing was written: the backup would only be a copy of an untouched file.
        file.Close();
        RemoveBackup(backupPath);
        return RepairCode::BodyNotFound;
    case SearchResult::Found:
        break;
    }

    const auto value = static_cast<std::int32_t>(bodyOffset);
    const bool written = bodyOffset <= INT32_MAX && std::fseek(file.Get(), 0, SEEK_SET) == 0
                         && std::fwrite(&value, sizeof value, 1, file.Get()) == 1;
    // The write is only done once the file is flushed and closed; the backup stays either way on failure.
    if (!file.Close() || !written)
        return RepairCode::WriteFailed;
    return RepairCode::Repaired;
}

} // namespace Mgx
