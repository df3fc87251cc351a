// The repair over arbitrary files, checked against a plain search of the same bytes: a repaired file
// names the first body start the pattern gives and is otherwise unchanged, its backup is the file as
// it was, and any other outcome leaves the file alone and no backup behind.
//
// Input: two bytes for a gap, then the file. The gap (up to 16383 bytes of filler) is put after the
// first field, so that small inputs still place the pattern across the repair's 8192-byte pieces.
#include "RecordRepair.h"
#include "ScratchFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr std::uint8_t Pattern[] = {0xF4, 0x01, 0x00, 0x00};
constexpr std::int64_t SmallestBodyOffset = 9;
constexpr std::uint8_t GapFiller = 0xF4; // the pattern's first byte: partial matches everywhere

std::vector<std::uint8_t> FileFromInput(const std::uint8_t* data, std::size_t size)
{
    const std::size_t gap = (data[0] | (data[1] << 8)) & 0x3FFF;
    std::vector<std::uint8_t> file(data + 2, data + size);
    const std::size_t at = file.size() < 4 ? file.size() : 4;
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(at), gap, GapFiller);
    return file;
}

// The body offset a repair must write: the first pattern at or after offset 4 that leaves room for
// the two leading fields and a header block.
std::optional<std::int32_t> ExpectedBodyOffset(const std::vector<std::uint8_t>& file)
{
    const std::size_t first = 4 + SmallestBodyOffset;
    if (file.size() < first + sizeof Pattern)
        return std::nullopt;
    const auto found = std::search(file.begin() + first, file.end(), std::begin(Pattern), std::end(Pattern));
    if (found == file.end())
        return std::nullopt;
    return static_cast<std::int32_t>(found - file.begin() - 4);
}

// The file in one read: the check must cost little next to the repair itself.
std::vector<std::uint8_t> Contents(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    std::uint8_t piece[32768];
    for (std::size_t n; (n = std::fread(piece, 1, sizeof piece, file)) > 0;)
        bytes.insert(bytes.end(), piece, piece + n);
    std::fclose(file);
    return bytes;
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// Names the broken promise before aborting, so that a finding says what it found.
void Check(bool condition, const char* promise)
{
    if (!condition) {
        std::fprintf(stderr, "repair check failed: %s\n", promise);
        std::abort();
    }
}

// A backup can fail for the file system's own reasons (full, out of descriptors). The harness's own
// copy of the same file, made at once, tells such a failure from a fault of the repair.
bool FileSystemRefusesCopy(const std::string& from, const std::string& to)
{
    std::error_code error;
    const bool copied = std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    std::filesystem::remove(to, error);
    return !copied;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile scratch("repair.mgx");
    static const std::string backup = Mgx::RepairBackupPath(scratch.Path());
    static const std::string probe = scratch.Sibling("probe.mgx");
    if (size < 2)
        return 0;
    const std::vector<std::uint8_t> before = FileFromInput(data, size);
    if (!scratch.Write(before.data(), before.size()))
        return 0;
    std::remove(backup.c_str());

    const Mgx::RepairCode code = Mgx::RepairRecordFile(scratch.Path(), backup);
    const std::vector<std::uint8_t> after = Contents(scratch.Path());
    std::int32_t firstField = 0;
    const bool unfinished = before.size() >= 4 && (std::memcpy(&firstField, before.data(), 4), firstField == 0);
    const std::optional<std::int32_t> expected = unfinished ? ExpectedBodyOffset(before) : std::nullopt;

    if (code == Mgx::RepairCode::Repaired) {
        Check(expected.has_value(), "repaired a file without a body");
        Check(Contents(backup) == before, "the backup differs from the file as it was");
        std::vector<std::uint8_t> repaired = before;
        std::memcpy(repaired.data(), &*expected, 4);
        Check(after == repaired, "the repaired file is not the file with its first field set");
    } else {
        Check(after == before, "a repair that did not succeed changed the file");
        Check(!Exists(backup), "a repair that did not succeed left its backup");
        if (code == Mgx::RepairCode::BackupFailed) {
            Check(FileSystemRefusesCopy(scratch.Path(), probe), "no backup although the file system copies");
        } else {
            Check(!expected.has_value(), "the repair missed a body the search finds");
            const Mgx::RepairCode due = unfinished          ? Mgx::RepairCode::BodyNotFound
                                        : before.size() < 4 ? Mgx::RepairCode::ReadFailed
                                                            : Mgx::RepairCode::NothingToRepair;
            Check(code == due, "the outcome differs from the file's state");
        }
    }
    std::remove(backup.c_str());
    return 0;
}
