// Arbitrary bytes as a record file: the load must end in a record or a RecordError, nothing else.
#include "RecordError.h"
#include "RecordLoader.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string ScratchPath()
{
    static const std::string path = "/tmp/korvale-fuzz-" + std::to_string(getpid()) + ".mgx";
    return path;
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
    try {
        const Mgx::GameRecord record = Mgx::LoadRecordFile(ScratchPath());
        (void)record;
    } catch (const Mgx::RecordError&) {
    }
    return 0;
}
