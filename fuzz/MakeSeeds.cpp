// Writes a seed corpus for the two fuzzers: whole records built by the record writer, and the
// inflated header blocks of the given record files (real ones, in CI).
#include "HeaderInflater.h"
#include "RecordError.h"
#include "RecordWriter.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteBuiltRecords(const fs::path& records, const fs::path& headers)
{
    using Mgx::RecordBlueprint;
    using Mgx::RecordWriter;
    RecordBlueprint plain;
    RecordBlueprint withAi;
    withAi.header.aiFlag = 1;
    withAi.header.aiStrings = {"ai.per"};
    RecordBlueprint computer;
    computer.header.players.back().kind = 3;
    int n = 0;
    for (const RecordBlueprint* blueprint : {&plain, &withAi, &computer}) {
        const RecordWriter writer(*blueprint);
        WriteBytes(records / ("built-" + std::to_string(n) + ".mgx"), writer.fileBytes());
        WriteBytes(headers / ("built-" + std::to_string(n) + ".hdr"), writer.headerBlock());
        ++n;
    }
}

void WriteInflatedHeader(const fs::path& record, const fs::path& headers)
{
    std::ifstream in(record, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::int32_t headerEnd = 0;
    if (bytes.size() < 8 || (std::memcpy(&headerEnd, bytes.data(), 4), headerEnd <= 8) || static_cast<std::size_t>(headerEnd) > bytes.size())
        return;
    try {
        WriteBytes(headers / (record.stem().string() + ".hdr"), Mgx::InflateHeaderBlock(bytes.data() + 8, static_cast<std::size_t>(headerEnd - 8)).toVector());
    } catch (const Mgx::RecordError&) {
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: korvale-fuzz-seeds RECORD_DIR HEADER_DIR [RECORD...]\n", stderr);
        return 2;
    }
    const fs::path records = argv[1];
    const fs::path headers = argv[2];
    fs::create_directories(records);
    fs::create_directories(headers);
    WriteBuiltRecords(records, headers);
    for (int i = 3; i < argc; ++i)
        WriteInflatedHeader(argv[i], headers);
    return 0;
}
