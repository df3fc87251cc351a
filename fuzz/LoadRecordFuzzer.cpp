// Arbitrary bytes as a record file: the load must end in a record or a RecordError, nothing else.
// One reader kept across all inputs must give what a fresh load gives, so no input leaves state behind,
// and reading the same bytes from memory (as from an archive) must give the same again.
#include "RecordError.h"
#include "RecordLoader.h"
#include "RecordReader.h"
#include "ScratchFile.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace {

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
    static const ScratchFile scratch("load.mgx");
    if (!scratch.Write(data, size))
        return 0;
    static Mgx::RecordReader reader;
    auto fresh = Outcome([] { return Mgx::LoadRecordFile(scratch.Path()); });
    auto reused = Outcome([] { return reader.Load(scratch.Path()); });
    if (fresh != reused)
        std::abort();
    auto inMemory = Outcome([&] { return reader.LoadBytes({data, size}, scratch.Path()); });
    if (fresh != inMemory)
        std::abort();
    if (inMemory.first)
        reader.Recycle(std::move(*inMemory.first));
    if (reused.first)
        reader.Recycle(std::move(*reused.first));
    return 0;
}
