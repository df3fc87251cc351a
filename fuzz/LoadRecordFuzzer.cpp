// Arbitrary bytes as a record file: the load must end in a record or a RecordError, nothing else.
#include "RecordError.h"
#include "RecordLoader.h"
#include "ScratchFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The reader works on files, so the input becomes one.
    static const ScratchFile scratch("load.mgx");
    if (!scratch.write(data, size))
        return 0;
    try {
        const Mgx::GameRecord record = Mgx::LoadRecordFile(scratch.path());
        (void)record;
    } catch (const Mgx::RecordError&) {
    }
    return 0;
}
