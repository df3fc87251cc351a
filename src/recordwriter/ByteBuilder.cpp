#include "ByteBuilder.h"

#include <bit>
#include <stdexcept>

namespace Mgx {

void ByteBuilder::ReserveTo(std::size_t end)
{
    const std::size_t start = m_bytes.size();
    for (std::size_t i = start; i < end; ++i)
        m_bytes.push_back(m_pattern[(i - start) % m_pattern.size()]);
}

void ByteBuilder::U8(std::uint8_t value)
{
    Bytes(&value, 1);
}

void ByteBuilder::U16(std::uint16_t value)
{
    const std::uint8_t le[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    Bytes(le, sizeof le);
}

void ByteBuilder::U32(std::uint32_t value)
{
    const std::uint8_t le[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    Bytes(le, sizeof le);
}

void ByteBuilder::F32(float value)
{
    U32(std::bit_cast<std::uint32_t>(value));
}

void ByteBuilder::Bytes(const std::uint8_t* data, std::size_t count)
{
    const auto start = static_cast<std::size_t>(m_position);
    ReserveTo(start + count);
    for (std::size_t i = 0; i < count; ++i)
        m_bytes[start + i] = data[i];
    m_position += static_cast<std::int64_t>(count);
}

void ByteBuilder::Bytes(const std::string& data)
{
    Bytes(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
}

void ByteBuilder::String16(const std::string& text)
{
    if (text.size() > 0xFFFF)
        throw std::length_error("a string16 holds at most 65535 bytes");
    U16(static_cast<std::uint16_t>(text.size()));
    Bytes(text);
}

void ByteBuilder::String32(const std::string& text)
{
    U32(static_cast<std::uint32_t>(text.size()));
    Bytes(text);
}

void ByteBuilder::Skip(std::int64_t amount)
{
    SeekTo(m_position + amount);
}

void ByteBuilder::SeekTo(std::int64_t position)
{
    if (position < 0)
        throw std::out_of_range("cursor moved before the start of the block");
    ReserveTo(static_cast<std::size_t>(position));
    m_position = position;
}

} // namespace Mgx
