#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace Mgx {

// The inflated header block: an owned buffer and its size. It is grown in place while inflating,
// so it lives in malloc'd memory rather than a vector, which would zero it and copy it on every step.
class HeaderBlock {
public:
    HeaderBlock() = default;
    static HeaderBlock CopyOf(const std::uint8_t* bytes, std::size_t size);

    const std::uint8_t* Data() const { return m_bytes.get(); }
    std::size_t Size() const { return m_size; }
    std::vector<std::uint8_t> ToVector() const { return {Data(), Data() + m_size}; }

private:
    friend class HeaderBlockBuilder;
    struct Free {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };
    std::unique_ptr<std::uint8_t[], Free> m_bytes;
    std::size_t m_size = 0;
};

// Grows a block to a capacity, keeping its contents; the inflater writes into the spare room.
class HeaderBlockBuilder {
public:
    std::uint8_t* Data() { return m_block.m_bytes.get(); }
    std::size_t Capacity() const { return m_capacity; }
    void Grow(std::size_t newCapacity); // throws std::bad_alloc
    HeaderBlock Finish(std::size_t size); // shrinks to size

private:
    HeaderBlock m_block;
    std::size_t m_capacity = 0;
};

} // namespace Mgx
