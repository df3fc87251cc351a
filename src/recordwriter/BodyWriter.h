#pragma once

#include "BodyBlueprint.h"

#include <cstdint>
#include <vector>

namespace Mgx {

class ByteBuilder;

// The bytes of a body and the file offsets of its chapter boundaries.
struct WrittenBody {
    std::vector<std::uint8_t> bytes;
    std::vector<std::int64_t> boundaries;
};

// Writes the body that starts at file offset bodyOffset. Chapter boundaries need file offsets: each
// stores where the scan resumes and where the next boundary is.
class BodyWriter {
public:
    static WrittenBody Write(const BodyBlueprint& body, std::int64_t bodyOffset);

    // One operation at the cursor; public for std::visit.
    void operator()(const ListOperation& operation);
    void operator()(const Command& command);
    void operator()(const TimeStep& step);
    void operator()(const ViewOperation& operation);
    void operator()(const ChatOperation& chat);
    void operator()(const BareOperation& operation);
    void operator()(const ChapterBoundary& boundary);

private:
    BodyWriter(std::int64_t bodyOffset, ByteBuilder& out) : m_bodyOffset(bodyOffset), m_out(out) {}

    void LinkBoundaries(const std::vector<const ChapterBoundary*>& order);
    std::int64_t FileOffset() const;

    std::int64_t m_bodyOffset;
    ByteBuilder& m_out;
    std::vector<std::int64_t> m_boundaries;  // file offsets
    std::vector<std::int64_t> m_nextFieldsAt; // body offsets of each boundary's next-boundary field

};

} // namespace Mgx
