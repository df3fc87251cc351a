#include "HeaderBlock.h"

#include <cstring>
#include <new>

namespace Mgx {

namespace {

std::uint8_t* Resize(std::uint8_t* bytes, std::size_t size)
{
    // realloc(…, 0) may free and return null; a block keeps at least one byte of storage.
    auto* resized = static_cast<std::uint8_t*>(std::realloc(bytes, size > 0 ? size : 1));
    if (!resized)
        throw std::bad_alloc();
    return resized;
}

} // namespace

HeaderBlock HeaderBlock::CopyOf(const std::uint8_t* bytes, std::size_t size)
{
    HeaderBlockBuilder builder;
    builder.Grow(size);
    if (size > 0)
        std::memcpy(builder.Data(), bytes, size);
    return builder.Finish(size);
}

void HeaderBlockBuilder::Grow(std::size_t newCapacity)
{
    // Large blocks are remapped by the allocator rather than copied.
    std::uint8_t* grown = Resize(m_block.m_bytes.get(), newCapacity);
    m_block.m_bytes.release();
    m_block.m_bytes.reset(grown);
    m_capacity = newCapacity;
}

HeaderBlock HeaderBlockBuilder::Finish(std::size_t size)
{
    if (size < m_capacity) {
        std::uint8_t* shrunk = Resize(m_block.m_bytes.get(), size);
        m_block.m_bytes.release();
        m_block.m_bytes.reset(shrunk);
        m_capacity = size;
    }
    m_block.m_size = size;
    return std::move(m_block);
}

} // namespace Mgx
