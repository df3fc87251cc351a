#include "RecordRepair.h"

#include "Utf8Path.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace Mgx {

namespace {

// The body's second integer is the first time step's int32 500; the body begins four bytes before it.
constexpr std::uint8_t BodyPattern[] = {0xF4, 0x01, 0x00, 0x00};
constexpr std::int64_t SearchStart = 4;
constexpr std::size_t PieceSize = 8192;
// A body can only begin after the two leading fields and a header block of at least one byte.
constexpr std::int64_t SmallestBodyOffset = 9;

class ReadWriteFile {
public:
    explicit ReadWriteFile(const std::string& path)
    {
#ifdef _WIN32
        m_file = _wfopen(PathFromUtf8(path).c_str(), L"r+b");
#else
        m_file = std::fopen(path.c_str(), "r+b");
#endif
    }
    ~ReadWriteFile() { close(); }
    bool isOpen() const { return m_file != nullptr; }
    std::FILE* get() const { return m_file; }
    bool close()
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

enum class SearchResult { Found, NotFound, ReadFailed };

// Reads from offset 4 in fixed pieces; a partial match carries over from one piece to the next.
SearchResult FindBodyOffset(std::FILE* file, std::int64_t& bodyOffset)
{
    if (std::fseek(file, SearchStart, SEEK_SET) != 0)
        return SearchResult::ReadFailed;
    std::uint8_t piece[PieceSize];
    std::size_t matched = 0;
    std::int64_t offset = SearchStart;
    for (;;) {
        const std::size_t count = std::fread(piece, 1, sizeof piece, file);
        if (std::ferror(file))
            return SearchResult::ReadFailed;
        for (std::size_t i = 0; i < count; ++i, ++offset) {
            if (piece[i] != BodyPattern[matched])
                matched = 0;
            if (piece[i] == BodyPattern[matched] && ++matched == sizeof BodyPattern) {
                matched = 0;
                const std::int64_t patternStart = offset - 3;
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

} // namespace

std::string RepairBackupPath(const std::string& path) { return path + ".bak"; }

RepairCode RepairRecordFile(const std::string& path, const std::string& backupPath)
{
    std::error_code error;
    if (!std::filesystem::copy_file(PathFromUtf8(path), PathFromUtf8(backupPath), std::filesystem::copy_options::none, error)
        || error)
        return RepairCode::BackupFailed;

    ReadWriteFile file(path);
    if (!file.isOpen()) {
        RemoveBackup(backupPath);
        return RepairCode::OpenFailed;
    }
    std::int32_t headerEnd = -1;
    if (std::fread(&headerEnd, sizeof headerEnd, 1, file.get()) != 1) {
        file.close();
        RemoveBackup(backupPath);
        return RepairCode::ReadFailed;
    }
    if (headerEnd != 0) {
        file.close();
        RemoveBackup(backupPath);
        return RepairCode::NothingToRepair;
    }

    std::int64_t bodyOffset = 0;
    switch (FindBodyOffset(file.get(), bodyOffset)) {
    case SearchResult::ReadFailed:
        file.close();
        RemoveBackup(backupPath);
        return RepairCode::ReadFailed;
    case SearchResult::NotFound:
        // Nothing was written: the backup would only be a copy of an untouched file.
        file.close();
        RemoveBackup(backupPath);
        return RepairCode::BodyNotFound;
    case SearchResult::Found:
        break;
    }

    const auto value = static_cast<std::int32_t>(bodyOffset);
    const bool written = bodyOffset <= INT32_MAX && std::fseek(file.get(), 0, SEEK_SET) == 0
                         && std::fwrite(&value, sizeof value, 1, file.get()) == 1;
    // The write is only done once the file is flushed and closed; the backup stays either way on failure.
    if (!file.close() || !written)
        return RepairCode::WriteFailed;
    return RepairCode::Repaired;
}

std::string RepairMessage(RepairCode code, const std::string& backupPath)
{
    switch (code) {
    case RepairCode::Repaired: return "修复成功!原文件备份保存为:\r\n" + backupPath;
    case RepairCode::BackupFailed: return "修复失败!备份文件无法创建。";
    case RepairCode::OpenFailed: return "修复失败!源文件无法打开。";
    case RepairCode::ReadFailed: return "修复失败!文件无法读取。";
    case RepairCode::BodyNotFound:
    case RepairCode::NothingToRepair: return "修复失败!未找到可以修复的地方。";
    case RepairCode::WriteFailed: return "修复失败!文件无法写入。";
    }
    return "修复失败!";
}

} // namespace Mgx
