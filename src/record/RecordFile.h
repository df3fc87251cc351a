#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>

namespace Mgx {

// A record file opened for reading, read through one buffer so the body scan's many small reads and
// relative seeks cost no system call each. Seeks may go past the end; reads there return 0 bytes.
class RecordFile {
public:
    explicit RecordFile(const std::string& path); // throws OpenError
    // Reads through a buffer of BufferSize bytes that the caller lends for the file's life, so a
    // reader loading many files keeps one buffer rather than asking the system for fresh pages each time.
    RecordFile(const std::string& path, std::uint8_t* lentBuffer);
    // Reads bytes already in memory (an entry read out of an archive); they must outlive the file.
    explicit RecordFile(std::span<const std::uint8_t> bytes);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    std::size_t Read(void* destination, std::size_t n);
    bool ReadInt32(std::int32_t& value) { return ReadValue(value); }
    bool ReadUInt16(std::uint16_t& value) { return ReadValue(value); }
    bool ReadUInt8(std::uint8_t& value) { return ReadValue(value); }

    // The bytes from the position to the end of what the buffer holds (none when it holds no byte there).
    struct Buffered {
        const std::uint8_t* bytes;
        std::size_t size;
    };
    Buffered BufferedBytes() const
    {
        const std::int64_t offset = m_position - m_bufferStart;
        if (offset < 0 || offset >= static_cast<std::int64_t>(m_bufferFill))
            return {nullptr, 0};
        return {m_buffer + offset, m_bufferFill - static_cast<std::size_t>(offset)};
    }

    void SeekRelative(std::int64_t n) { m_position += n; }
    void SeekTo(std::int64_t p) { m_position = p; }
    std::int64_t Position() const { return m_position; }
    std::int64_t Length() const { return m_length; }
    bool AtEnd() const { return m_position >= m_length; }

    void Close();

    static constexpr std::size_t BufferSize = 256 * 1024;

private:
    // The body scan's reads are a few bytes each; when they lie in the buffer they cost a copy of a word.
    template <typename T> bool ReadValue(T& value)
    {
        const std::int64_t offset = m_position - m_bufferStart;
        if (offset >= 0 && offset + static_cast<std::int64_t>(sizeof(T)) <= static_cast<std::int64_t>(m_bufferFill)) {
            std::memcpy(&value, m_buffer + offset, sizeof(T));
            m_position += static_cast<std::int64_t>(sizeof(T));
            return true;
        }
        return Read(&value, sizeof(T)) == sizeof(T);
    }
    bool Fill();

    std::FILE* m_file = nullptr;
    std::int64_t m_length = 0;
    std::int64_t m_position = 0;
    std::unique_ptr<std::uint8_t[]> m_ownBuffer; // when none is lent
    std::uint8_t* m_buffer = nullptr; // read-only when in memory
    bool m_inMemory = false;          // the buffer holds every byte; there is nothing to fill
    std::int64_t m_bufferStart = 0; // file offset of m_buffer[0]
    std::size_t m_bufferFill = 0;
};

} // namespace Mgx
