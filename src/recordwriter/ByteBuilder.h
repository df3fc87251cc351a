#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Mgx {

// A growable byte buffer with a cursor, the mirror of the reader's stream: a write at the cursor
// overwrites or extends, and a skip moves the cursor either way. Moving forward past the end pads
// with a recognisable filler, so a reader that lands in a skipped stretch reads nonsense, not zeros.
class ByteBuilder {
public:
    static constexpr std::uint8_t Filler = 0xA5;

    ByteBuilder() = default;
    // Pads with the pattern repeated from the start of each padded stretch.
    explicit ByteBuilder(std::vector<std::uint8_t> fillerPattern) : m_pattern(std::move(fillerPattern)) {}

    void U8(std::uint8_t value);
    void I8(std::int8_t value) { U8(static_cast<std::uint8_t>(value)); }
    void U16(std::uint16_t value);
    void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void F32(float value);
    void Bytes(const std::uint8_t* data, std::size_t count);
    void Bytes(const std::vector<std::uint8_t>& data) { Bytes(data.data(), data.size()); }
    void Bytes(const std::string& data);

    // A uint16 or uint32 length followed by the text, no terminator.
    void String16(const std::string& text);
    void String32(const std::string& text);

    // Moves the cursor by a signed amount; a move below 0 throws std::out_of_range.
    void Skip(std::int64_t amount);
    void SeekTo(std::int64_t position);
    // Skips of amounts computed from stored counts: evaluated in wrapping 32-bit arithmetic, then
    // widened with or without their sign, exactly as the reader evaluates them.
    void SkipSigned32(std::int64_t amount) { Skip(static_cast<std::int32_t>(static_cast<std::uint32_t>(amount))); }
    void SkipUnsigned32(std::int64_t amount) { Skip(static_cast<std::uint32_t>(amount)); }

    std::int64_t Position() const { return m_position; }
    std::size_t Size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& Data() const { return m_bytes; }

private:
    void ReserveTo(std::size_t end);

    std::vector<std::uint8_t> m_pattern{Filler};
    std::vector<std::uint8_t> m_bytes;
    std::int64_t m_position = 0;
};

} // namespace Mgx
