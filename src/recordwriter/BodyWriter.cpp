#include "BodyWriter.h"

#include "ByteBuilder.h"

namespace Mgx {

WrittenBody BodyWriter::Write(const BodyBlueprint& body, std::int64_t bodyOffset)
{
    // Skipped stretches read as time steps of 2 ms: a scan that lands inside one counts phantom
    // time instead of healing itself on operation types it does not know.
    ByteBuilder out(SkippedBodyWord);
    BodyWriter writer(bodyOffset, out);
    out.I32(body.logVersion);
    out.Bytes(body.prefix.data(), body.prefix.size());
    std::vector<const ChapterBoundary*> boundaries;
    for (const BodyOperation& operation : body.operations) {
        if (const auto* boundary = std::get_if<ChapterBoundary>(&operation))
            boundaries.push_back(boundary);
        std::visit(writer, operation);
    }
    writer.LinkBoundaries(boundaries);
    return {out.Data(), writer.m_boundaries};
}

std::int64_t BodyWriter::FileOffset() const
{
    return m_bodyOffset + m_out.Position();
}

void BodyWriter::operator()(const ListOperation& operation)
{
    m_out.I32(OperationType::Sync);
    m_out.Skip(4);
    m_out.I32(operation.valueCount);
    m_out.SkipSigned32(4 * std::int64_t{operation.valueCount});
}

void BodyWriter::operator()(const Command& command)
{
    m_out.I32(OperationType::Command);
    m_out.I32(static_cast<std::int32_t>(command.data.size()));
    m_out.Bytes(command.data);
    m_out.Bytes(command.trailer.data(), command.trailer.size());
}

void BodyWriter::operator()(const TimeStep& step)
{
    m_out.I32(OperationType::TimeStep);
    m_out.I32(step.delta);
    m_out.I32(step.valueCount);
    m_out.SkipSigned32(step.valueCount == 0 ? BodyLayout::EmptyTimeStepTail : 4 * std::int64_t{step.valueCount});
}

void BodyWriter::operator()(const ViewOperation&)
{
    m_out.I32(OperationType::ViewLock);
    m_out.Skip(BodyLayout::ViewLockSize);
}

void BodyWriter::operator()(const ChatOperation& chat)
{
    m_out.I32(OperationType::Chat);
    m_out.I32(chat.sender);
    if (chat.sender == BodyLayout::ChatFromPlayer)
        m_out.String32(chat.text);
    else
        m_out.Skip(BodyLayout::OtherChatSize);
}

void BodyWriter::operator()(const BareOperation& operation)
{
    m_out.I32(operation.type);
}

void BodyWriter::operator()(const ChapterBoundary& boundary)
{
    m_boundaries.push_back(FileOffset());
    const std::int64_t resumePos = FileOffset() + 8 + static_cast<std::int64_t>(boundary.embedded.size());
    m_out.I32(boundary.resumePos.value_or(static_cast<std::int32_t>(resumePos)));
    m_nextFieldsAt.push_back(m_out.Position());
    m_out.I32(0); // filled in once the next boundary's offset is known
    m_out.Bytes(boundary.embedded);
}

void BodyWriter::LinkBoundaries(const std::vector<const ChapterBoundary*>& order)
{
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::int64_t next = i + 1 < order.size() ? m_boundaries[i + 1] : 0;
        const std::int64_t end = m_out.Position();
        m_out.SeekTo(m_nextFieldsAt[i]);
        m_out.I32(order[i]->nextChapterPos.value_or(static_cast<std::int32_t>(next)));
        m_out.SeekTo(end);
    }
}

} // namespace Mgx
