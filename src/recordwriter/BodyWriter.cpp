#include "BodyWriter.h"

#include "ByteBuilder.h"

namespace Mgx {

WrittenBody BodyWriter::Write(const BodyBlueprint& body, std::int64_t bodyOffset)
{
    // Skipped stretches read as time steps of 2 ms: a scan that lands inside one counts phantom
    // time instead of healing itself on operation types it does not know.
    ByteBuilder out(SkippedBodyWord);
    BodyWriter writer(bodyOffset, out);
    out.i32(body.logVersion);
    out.bytes(body.prefix.data(), body.prefix.size());
    std::vector<const ChapterBoundary*> boundaries;
    for (const BodyOperation& operation : body.operations) {
        if (const auto* boundary = std::get_if<ChapterBoundary>(&operation))
            boundaries.push_back(boundary);
        std::visit(writer, operation);
    }
    writer.LinkBoundaries(boundaries);
    return {out.data(), writer.m_boundaries};
}

std::int64_t BodyWriter::fileOffset() const
{
    return m_bodyOffset + m_out.position();
}

void BodyWriter::operator()(const ListOperation& operation)
{
    m_out.i32(OperationType::Sync);
    m_out.skip(4);
    m_out.i32(operation.valueCount);
    m_out.skipSigned32(4 * std::int64_t{operation.valueCount});
}

void BodyWriter::operator()(const Command& command)
{
    m_out.i32(OperationType::Command);
    m_out.i32(static_cast<std::int32_t>(command.data.size()));
    m_out.bytes(command.data);
    m_out.bytes(command.trailer.data(), command.trailer.size());
}

void BodyWriter::operator()(const TimeStep& step)
{
    m_out.i32(OperationType::TimeStep);
    m_out.i32(step.delta);
    m_out.i32(step.valueCount);
    m_out.skipSigned32(step.valueCount == 0 ? BodyLayout::EmptyTimeStepTail : 4 * std::int64_t{step.valueCount});
}

void BodyWriter::operator()(const ViewOperation&)
{
    m_out.i32(OperationType::ViewLock);
    m_out.skip(BodyLayout::ViewLockSize);
}

void BodyWriter::operator()(const ChatOperation& chat)
{
    m_out.i32(OperationType::Chat);
    m_out.i32(chat.sender);
    if (chat.sender == BodyLayout::ChatFromPlayer)
        m_out.string32(chat.text);
    else
        m_out.skip(BodyLayout::OtherChatSize);
}

void BodyWriter::operator()(const BareOperation& operation)
{
    m_out.i32(operation.type);
}

void BodyWriter::operator()(const ChapterBoundary& boundary)
{
    m_boundaries.push_back(fileOffset());
    const std::int64_t resumePos = fileOffset() + 8 + static_cast<std::int64_t>(boundary.embedded.size());
    m_out.i32(boundary.resumePos.value_or(static_cast<std::int32_t>(resumePos)));
    m_nextFieldsAt.push_back(m_out.position());
    m_out.i32(0); // filled in once the next boundary's offset is known
    m_out.bytes(boundary.embedded);
}

void BodyWriter::LinkBoundaries(const std::vector<const ChapterBoundary*>& order)
{
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::int64_t next = i + 1 < order.size() ? m_boundaries[i + 1] : 0;
        const std::int64_t end = m_out.position();
        m_out.seekTo(m_nextFieldsAt[i]);
        m_out.i32(order[i]->nextChapterPos.value_or(static_cast<std::int32_t>(next)));
        m_out.seekTo(end);
    }
}

} // namespace Mgx
