// Loading each real record against the floor of any reader: reading the whole file and inflating
// its header block. bench/record-ratios.py turns the two into one ratio per record.
// The .../40 pairs load the same records 40 times over, as an indexer or a command over a folder
// does: one reader against a floor that keeps its two buffers and its inflater from file to file,
// inflating with zlib's stream (BM_FloorReused) or whole with libdeflate (BM_FloorReusedLibdeflate).
#include "HeaderInflater.h"
#include "RecordLoader.h"
#include "RecordReader.h"
#include "RecordsFolder.h"

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fseek(file, 0, SEEK_END);
        bytes.resize(static_cast<std::size_t>(std::ftell(file)));
        std::fseek(file, 0, SEEK_SET);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
    }
    return bytes;
}

void Floor(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        const auto bytes = ReadWholeFile(path);
        std::int32_t headerEnd = 0;
        std::memcpy(&headerEnd, bytes.data(), 4);
        benchmark::DoNotOptimize(Mgx::InflateHeaderBlock(bytes.data() + 8, static_cast<std::size_t>(headerEnd - 8)));
    }
}

void Load(benchmark::State& state, const std::string& path)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Mgx::LoadRecordFile(path));
}

// Reads the whole file into the kept buffer and gives the length of its header block (the bytes
// after the two leading fields, up to the first field's offset), or 0 for a file that has none.
std::size_t ReadFileAndBlockLength(const std::string& path, std::vector<std::uint8_t>& buffer)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    std::fseek(file, 0, SEEK_END);
    const auto size = static_cast<std::size_t>(std::ftell(file));
    std::fseek(file, 0, SEEK_SET);
    if (buffer.size() < size)
        buffer.resize(size);
    const std::size_t got = std::fread(buffer.data(), 1, size, file);
    std::fclose(file);
    std::int32_t headerEnd = 0;
    if (got <= 8 || (std::memcpy(&headerEnd, buffer.data(), 4), headerEnd <= 8))
        return 0;
    return std::min<std::size_t>(static_cast<std::size_t>(headerEnd - 8), got - 8);
}

// The least any reader of many records does: each file into one kept buffer, each header block
// inflated into another through one zlib stream.
class ReusedFloor {
public:
    ReusedFloor() { inflateInit2(&m_z, -15); }
    ~ReusedFloor() { inflateEnd(&m_z); }

    std::size_t Read(const std::string& path)
    {
        const std::size_t length = ReadFileAndBlockLength(path, m_file);
        return length == 0 ? 0 : Inflate(m_file.data() + 8, length);
    }

private:
    std::size_t Inflate(std::uint8_t* bytes, std::size_t length)
    {
        inflateReset(&m_z);
        m_z.next_in = bytes;
        m_z.avail_in = static_cast<uInt>(length);
        int status = Z_OK;
        while (status == Z_OK) {
            if (m_header.size() < m_z.total_out + length * 16)
                m_header.resize(m_z.total_out + length * 16);
            m_z.next_out = m_header.data() + m_z.total_out;
            m_z.avail_out = static_cast<uInt>(m_header.size() - m_z.total_out);
            status = ::inflate(&m_z, Z_SYNC_FLUSH);
        }
        return m_z.total_out;
    }

    z_stream m_z{};
    std::vector<std::uint8_t> m_file;
    std::vector<std::uint8_t> m_header;
};

// The same floor inflating each block whole with libdeflate, into a buffer grown to the largest
// block so far.
class ReusedLibdeflateFloor {
public:
    ReusedLibdeflateFloor() : m_decompressor(libdeflate_alloc_decompressor()) {}
    ~ReusedLibdeflateFloor() { libdeflate_free_decompressor(m_decompressor); }

    std::size_t Read(const std::string& path)
    {
        const std::size_t length = ReadFileAndBlockLength(path, m_file);
        if (length == 0)
            return 0;
        if (m_header.size() < length * 16)
            m_header.resize(length * 16);
        for (;;) {
            std::size_t inflated = 0;
            const libdeflate_result result = libdeflate_deflate_decompress(m_decompressor, m_file.data() + 8, length,
                                                                           m_header.data(), m_header.size(), &inflated);
            if (result != LIBDEFLATE_INSUFFICIENT_SPACE)
                return inflated;
            m_header.resize(m_header.size() * 2);
        }
    }

private:
    libdeflate_decompressor* m_decompressor;
    std::vector<std::uint8_t> m_file;
    std::vector<std::uint8_t> m_header;
};

std::vector<std::string> Repeated(const std::vector<std::string>& paths, std::size_t count)
{
    std::vector<std::string> loads;
    for (std::size_t i = 0; i < count && !paths.empty(); ++i)
        loads.push_back(paths[i % paths.size()]);
    return loads;
}

void FloorReused(benchmark::State& state, const std::vector<std::string>& paths)
{
    ReusedFloor floor;
    for (auto _ : state)
        for (const std::string& path : paths)
            benchmark::DoNotOptimize(floor.Read(path));
}

void FloorReusedLibdeflate(benchmark::State& state, const std::vector<std::string>& paths)
{
    ReusedLibdeflateFloor floor;
    for (auto _ : state)
        for (const std::string& path : paths)
            benchmark::DoNotOptimize(floor.Read(path));
}

void FloorFresh(benchmark::State& state, const std::vector<std::string>& paths)
{
    for (auto _ : state)
        for (const std::string& path : paths) {
            const auto bytes = ReadWholeFile(path);
            std::int32_t headerEnd = 0;
            std::memcpy(&headerEnd, bytes.data(), 4);
            benchmark::DoNotOptimize(Mgx::InflateHeaderBlock(bytes.data() + 8, static_cast<std::size_t>(headerEnd - 8)));
        }
}

void LoadMany(benchmark::State& state, const std::vector<std::string>& paths)
{
    Mgx::RecordReader reader;
    for (auto _ : state)
        for (const std::string& path : paths) {
            Mgx::GameRecord record = reader.Load(path);
            benchmark::DoNotOptimize(record);
            reader.Recycle(std::move(record));
        }
}

void LoadOneShot(benchmark::State& state, const std::vector<std::string>& paths)
{
    for (auto _ : state)
        for (const std::string& path : paths)
            benchmark::DoNotOptimize(Mgx::LoadRecordFile(path));
}

bool Loads(const std::string& path)
{
    try {
        return Mgx::LoadRecordFile(path).chapters.at(0).status == 1;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const fs::path folder = argc > 1 && argv[1][0] != '-' ? fs::path(argv[1]) : korvale::test::RealRecordsDir();
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(folder))
        if ((entry.path().extension() == ".mgx" || entry.path().extension() == ".mgz" || entry.path().extension() == ".mgx2"
             || entry.path().extension() == ".aoe2record")
            && Loads(entry.path().string()))
            paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        const std::string name = fs::path(path).stem().string();
        benchmark::RegisterBenchmark(("Floor/" + name).c_str(), Floor, path)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Load/" + name).c_str(), Load, path)->Unit(benchmark::kMillisecond);
    }
    const std::vector<std::string> forty = Repeated(paths, 40);
    benchmark::RegisterBenchmark("BM_FloorReused/40", FloorReused, forty)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FloorReusedLibdeflate/40", FloorReusedLibdeflate, forty)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_LoadMany/40", LoadMany, forty)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FloorFresh/40", FloorFresh, forty)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_LoadOneShot/40", LoadOneShot, forty)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
