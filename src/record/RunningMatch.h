#pragma once

#include <cstddef>
#include <cstdint>

namespace Mgx {

// Looks for a byte pattern in bytes fed one at a time, with a running match count: a byte that
// breaks a partial match is tried again as a possible first byte. For the patterns searched here,
// whose first byte does not recur in them, that finds the first occurrence.
class RunningMatch {
public:
    RunningMatch(const std::uint8_t* pattern, std::size_t length) : m_pattern(pattern), m_length(length) {}

    // Whether this byte completes the pattern. The count starts again after a match.
    bool Feed(std::uint8_t byte)
    {
        if (byte != m_pattern[m_matched])
            m_matched = 0;
        if (byte == m_pattern[m_matched] && ++m_matched == m_length) {
            m_matched = 0;
            return true;
        }
        return false;
    }

    // No partial match is running: until the pattern's first byte comes, every byte is passed over.
    bool Idle() const { return m_matched == 0; }

private:
    const std::uint8_t* m_pattern;
    std::size_t m_length;
    std::size_t m_matched = 0;
};

} // namespace Mgx
