// Arbitrary bytes as a compressed header block: the whole-block inflate, fresh and kept across
// inputs, must give exactly what zlib's streaming inflate gives: the same bytes or the same error.
// The one allowed difference: a stream zlib refuses as malformed (never one that ends early) that
// libdeflate reads; the reader asks zlib again when the walk over such a block fails.
#include "HeaderInflater.h"
#include "RecordError.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The inflated bytes, or the text of the error.
template <typename Inflate> std::string Outcome(Inflate inflate)
{
    try {
        return "ok: " + inflate();
    } catch (const Mgx::InflateError& error) {
        return std::string("error: ") + error.what();
    }
}

std::string Text(const std::uint8_t* bytes, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(bytes), size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Mgx::HeaderInflater kept;
    const std::string streaming = Outcome([&] {
        const Mgx::HeaderBlock block = Mgx::InflateHeaderBlockStreaming(data, size);
        return Text(block.Data(), block.Size());
    });
    const std::string fresh = Outcome([&] {
        const Mgx::HeaderBlock block = Mgx::InflateHeaderBlock(data, size);
        return Text(block.Data(), block.Size());
    });
    const std::string reused = Outcome([&] {
        const auto block = kept.Inflate(data, size);
        return Text(block.data(), block.size());
    });
    const bool onlyLibdeflateReads = streaming.starts_with("error: ") && streaming.ends_with("(zlib status -3)")
        && fresh.starts_with("ok: ") && reused == fresh;
    if ((fresh != streaming || reused != streaming) && !onlyLibdeflateReads)
        std::abort();
    return 0;
}
