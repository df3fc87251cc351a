#include "WalkedHeader.h"

#include "HeaderBlockWriter.h"

#include "HeaderWalk.h"
#include "MemoryStream.h"

namespace korvale::test {

WalkedHeader WalkWrittenHeader(const Mgx::HeaderBlueprint& header)
{
    std::vector<std::uint8_t> block = Mgx::HeaderBlockWriter::Write(header);
    WalkedHeader walked;
    walked.tailStart = static_cast<std::int64_t>(block.size() - header.tail.size());
    Mgx::MemoryStream stream(std::move(block));
    Mgx::WalkHeader(stream, walked.chapter);
    walked.endPosition = stream.Position();
    return walked;
}

} // namespace korvale::test
