#pragma once

#include "HeaderBlock.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Mgx {

// Read-only, fixed-size stream over the inflated header block. Every header byte goes through it.
//
// A read past the end copies what is there and leaves the rest of the destination as it was;
// the typed reads start from zero, so a value beyond the end reads as zero. skip and seekTo
// throw HeaderError when the position would leave the block.
//
// The walk's counts come from the file, and negative skips may send it backwards; a step budget
// proportional to the block's size makes sure a hostile block cannot keep the walk busy forever.
class MemoryStream {
public:
    explicit MemoryStream(HeaderBlock block);
    explicit MemoryStream(const std::vector<std::uint8_t>& bytes); // a copy, for tools and tests
    // Reads bytes the caller keeps alive for the stream's life: a reader's buffer reused across loads.
    MemoryStream(const std::uint8_t* bytes, std::size_t size);

    std::size_t Read(void* destination, std::size_t wanted);
    void Skip(std::int64_t amount)
    {
        // The walk is mostly skips: the common case stays inline, the refusal is out of line.
        if (m_stepsLeft > 0 && amount <= Size() - m_position && amount >= -m_position) {
            --m_stepsLeft;
            m_position += amount;
        } else {
            RefuseSkip(amount);
        }
    }
    void SeekTo(std::int64_t target);

    std::int64_t Position() const { return m_position; }
    std::int64_t Size() const { return m_size; }
    std::int64_t Remaining() const { return Size() - m_position; }
    const std::uint8_t* Current() const { return m_bytes + m_position; }

    std::int8_t ReadInt8() { return ReadValue<std::int8_t>(); }
    std::uint8_t ReadUInt8() { return ReadValue<std::uint8_t>(); }
    std::int16_t ReadInt16() { return ReadValue<std::int16_t>(); }
    std::uint16_t ReadUInt16() { return ReadValue<std::uint16_t>(); }
    std::int32_t ReadInt32() { return ReadValue<std::int32_t>(); }
    std::uint32_t ReadUInt32() { return ReadValue<std::uint32_t>(); }
    float ReadFloat32() { return ReadValue<float>(); }

    // A length-prefixed text. A length running past the end keeps the bytes that are there:
    // the missing tail would read as zero bytes, which end the text anyway.
    std::string ReadString16();
    std::string ReadString32();
    // declaredLength bytes, or as many as remain.
    std::string ReadBytes(std::uint64_t declaredLength);
    // Passes over a length-prefixed text without copying it.
    void SkipString16();

    // Moves to just past the next occurrence of pattern at or after the position; throws when there is none.
    // Returns the position at which the occurrence starts.
    std::int64_t FindForward(const std::uint8_t* pattern, std::size_t length);
    // The same for any pattern, whatever bytes recur in it; the error names what was looked for.
    std::int64_t FindPattern(const std::uint8_t* pattern, std::size_t length, const char* what);
    // Moves to the end of the first run of length zero bytes that starts at or after the position.
    void PassZeroRun(std::int64_t length);

private:
    template <typename T> T ReadValue()
    {
        T value{};
        // The host is little-endian, like the format. A value beyond the end reads as zero.
        if (m_stepsLeft > 0 && Remaining() >= static_cast<std::int64_t>(sizeof value)) {
            --m_stepsLeft;
            std::memcpy(&value, m_bytes + m_position, sizeof value);
            m_position += static_cast<std::int64_t>(sizeof value);
        } else {
            Read(&value, sizeof value);
        }
        return value;
    }
    void MoveTo(std::int64_t target);
    [[noreturn]] void RefuseSkip(std::int64_t amount);
    void CountStep();

    HeaderBlock m_block; // empty when the bytes are borrowed
    const std::uint8_t* m_bytes;
    std::int64_t m_size;
    std::int64_t m_position = 0;
    std::uint64_t m_stepsLeft;
};

} // namespace Mgx
