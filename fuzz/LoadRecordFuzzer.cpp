// Arbitrary bytes as a record file: the load must end in a record or a RecordError, nothing else.
// One reader kept across all inputs must give what a fresh load gives, so no input leaves state behind.
#include "RecordError.h"
#include "RecordLoader.h"
#include "RecordReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>
#include <string>
#include <unistd.h>

namespace {

std::string ScratchPath()
{
    static const std::string path = "/tmp/korvale-fuzz-" + std::to_string(getpid()) + ".mgx";
    return path;
}

// The record, or the text of the error.
template <typename Load> std::pair<std::optional<Mgx::GameRecord>, std::string> Outcome(Load load)
{
    try {
        return {load(), {}};
    } catch (const Mgx::RecordError& error) {
        return {std::nullopt, error.what()};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The reader works on files, so the input becomes one.
    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    static Mgx::RecordReader reader;
    auto fresh = Outcome([] { return Mgx::LoadRecordFile(ScratchPath()); });
    auto reused = Outcome([] { return reader.Load(ScratchPath()); });
    if (fresh != reused)
        std::abort();
    if (reused.first)
        reader.Recycle(std::move(*reused.first));
    return 0;
}
