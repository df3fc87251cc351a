// Loading each real record against the floor of any reader: reading the whole file and inflating
// its header block with zlib. bench/record-ratios.py turns the two into one ratio per record.
#include "HeaderInflater.h"
#include "RecordLoader.h"

#include <benchmark/benchmark.h>

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
    const fs::path folder = argc > 1 && argv[1][0] != '-' ? fs::path(argv[1]) : fs::path(KORVALE_RECS_DIR);
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".mgx" && Loads(entry.path().string()))
            paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        const std::string name = fs::path(path).stem().string();
        benchmark::RegisterBenchmark(("Floor/" + name).c_str(), Floor, path)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Load/" + name).c_str(), Load, path)->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
