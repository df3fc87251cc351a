#include "MemoryStream.h"

#include "RecordError.h"
#include "RunningMatch.h"

#include <algorithm>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "the record format is little-endian; add byte swaps for this host");

namespace Mgx {

namespace {
// Every real walk takes far fewer steps than this; only a block that loops back on itself exceeds it.
constexpr std::uint64_t StepsPerByte = 4;
constexpr std::uint64_t BaseSteps = 1u << 20;
} // namespace

MemoryStream::MemoryStream(HeaderBlock block)
    : m_block(std::move(block))
    , m_bytes(m_block.Data())
    , m_size(static_cast<std::int64_t>(m_block.Size()))
    , m_stepsLeft(BaseSteps + StepsPerByte * m_block.Size())
{
}

MemoryStream::MemoryStream(const std::uint8_t* bytes, std::size_t size)
    : m_bytes(bytes)
    , m_size(static_cast<std::int64_t>(size))
    , m_stepsLeft(BaseSteps + StepsPerByte * size)
{
}

MemoryStream::MemoryStream(const std::vector<std::uint8_t>& bytes)
    : MemoryStream(HeaderBlock::CopyOf(bytes.data(), bytes.size()))
{
}

void MemoryStream::CountStep()
{
    if (m_stepsLeft == 0)
        throw HeaderError("the walk does not come to an end (the block leads it in circles)", m_position);
    --m_stepsLeft;
}

std::size_t MemoryStream::Read(void* destination, std::size_t wanted)
{
    CountStep();
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, static_cast<std::uint64_t>(Remaining())));
    if (count > 0)
        std::memcpy(destination, m_bytes + m_position, count);
    m_position += static_cast<std::int64_t>(count);
    return count;
}

void MemoryStream::RefuseSkip(std::int64_t amount)
{
    CountStep(); // throws when the budget is spent
    throw HeaderError("skip of " + std::to_string(amount) + " bytes would leave the block (size " + std::to_string(Size()) + ")", m_position);
}

void MemoryStream::SeekTo(std::int64_t target)
{
    if (target < 0 || target > Size())
        throw HeaderError("seek to " + std::to_string(target) + " would leave the block (size " + std::to_string(Size()) + ")",
                          m_position);
    MoveTo(target);
}

void MemoryStream::MoveTo(std::int64_t target)
{
    CountStep();
    m_position = target;
}

std::string MemoryStream::ReadBytes(std::uint64_t declaredLength)
{
    CountStep();
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(declaredLength, static_cast<std::uint64_t>(Remaining())));
    std::string text(reinterpret_cast<const char*>(m_bytes + m_position), count);
    m_position += static_cast<std::int64_t>(count);
    return text;
}

std::string MemoryStream::ReadString16() { return ReadBytes(ReadUInt16()); }

std::string MemoryStream::ReadString32() { return ReadBytes(ReadUInt32()); }

void MemoryStream::SkipString16() { Skip(ReadUInt16()); }

std::int64_t MemoryStream::FindForward(const std::uint8_t* pattern, std::size_t length)
{
    CountStep();
    RunningMatch match(pattern, length);
    const std::uint8_t* end = m_bytes + m_size;
    for (const std::uint8_t* at = m_bytes + m_position; at < end; ++at) {
        // The table lies far into a large block: between partial matches, memchr finds the next first byte.
        if (match.Idle() && length > 0) {
            at = static_cast<const std::uint8_t*>(std::memchr(at, pattern[0], static_cast<std::size_t>(end - at)));
            if (!at)
                break;
        }
        if (match.Feed(*at)) {
            const std::int64_t i = at - m_bytes;
            const std::int64_t start = i + 1 - static_cast<std::int64_t>(length);
            m_position = i + 1;
            return start;
        }
    }
    throw HeaderError("the object table marker of a computer player's block is missing", m_position);
}

std::int64_t MemoryStream::FindPattern(const std::uint8_t* pattern, std::size_t length, const char* what)
{
    CountStep();
    const std::uint8_t* end = m_bytes + m_size;
    const std::uint8_t* found = std::search(m_bytes + m_position, end, pattern, pattern + length);
    if (found == end)
        throw HeaderError(std::string(what) + " is missing", m_position);
    const std::int64_t start = found - m_bytes;
    m_position = start + static_cast<std::int64_t>(length);
    return start;
}

void MemoryStream::PassZeroRun(std::int64_t length)
{
    CountStep();
    std::int64_t run = 0;
    for (std::int64_t i = m_position; i < Size(); ++i) {
        run = m_bytes[i] == 0 ? run + 1 : 0;
        if (run == length) {
            m_position = i + 1;
            return;
        }
    }
    throw HeaderError("the run of " + std::to_string(length) + " zero bytes that ends the AI block is missing", m_position);
}

} // namespace Mgx
