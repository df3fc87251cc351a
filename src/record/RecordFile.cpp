#include "RecordFile.h"

#include "RecordError.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "Utf8Path.h"

#ifdef _WIN32
#define KORVALE_FSEEK _fseeki64
#else
#define KORVALE_FSEEK fseeko
#endif

namespace Mgx {

namespace {

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(PathFromUtf8(path), error);
}

} // namespace

RecordFile::RecordFile(const std::string& path)
    : RecordFile(path, nullptr)
{
}

RecordFile::RecordFile(const std::string& path, std::uint8_t* lentBuffer)
    : m_buffer(lentBuffer)
{
    // A folder opens on some systems and then reads as nothing; it is no record file either.
    if (!IsRegularFile(path) || !(m_file = OpenFileUtf8(path, "rb")))
        throw OpenError(path);
    if (KORVALE_FSEEK(m_file, 0, SEEK_END) == 0) {
#ifdef _WIN32
        m_length = _ftelli64(m_file);
#else
        m_length = ftello(m_file);
#endif
    }
    if (m_length < 0)
        m_length = 0;
    std::setvbuf(m_file, nullptr, _IONBF, 0); // our own buffer replaces the C library's
    if (!m_buffer) {
        m_ownBuffer.reset(new std::uint8_t[BufferSize]);
        m_buffer = m_ownBuffer.get();
    }
}

RecordFile::RecordFile(std::span<const std::uint8_t> bytes)
    // The reads only ever copy out of the buffer, so lending it the caller's bytes is safe.
    : m_length(static_cast<std::int64_t>(bytes.size()))
    , m_buffer(const_cast<std::uint8_t*>(bytes.data()))
    , m_inMemory(true)
    , m_bufferFill(bytes.size())
{
}

RecordFile::~RecordFile() { Close(); }

void RecordFile::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

bool RecordFile::Fill()
{
    if (m_inMemory)
        return false;
    m_bufferStart = m_position;
    m_bufferFill = 0;
    if (!m_file || m_position < 0 || m_position >= m_length || KORVALE_FSEEK(m_file, m_position, SEEK_SET) != 0)
        return false;
    m_bufferFill = std::fread(m_buffer, 1, BufferSize, m_file);
    return m_bufferFill > 0;
}

std::size_t RecordFile::Read(void* destination, std::size_t n)
{
    auto* out = static_cast<std::uint8_t*>(destination);
    std::size_t done = 0;
    // A large read past the buffer, like the header block, goes straight to the destination.
    if (n >= BufferSize && m_file && m_position >= 0 && m_position < m_length
        && (m_position < m_bufferStart || m_position >= m_bufferStart + static_cast<std::int64_t>(m_bufferFill))
        && KORVALE_FSEEK(m_file, m_position, SEEK_SET) == 0) {
        done = std::fread(out, 1, n, m_file);
        m_position += static_cast<std::int64_t>(done);
        return done;
    }
    while (done < n) {
        const std::int64_t offset = m_position - m_bufferStart;
        if (offset < 0 || offset >= static_cast<std::int64_t>(m_bufferFill)) {
            if (!Fill())
                break;
            continue;
        }
        const std::size_t count = std::min(n - done, m_bufferFill - static_cast<std::size_t>(offset));
        std::memcpy(out + done, m_buffer + offset, count);
        done += count;
        m_position += static_cast<std::int64_t>(count);
    }
    return done;
}

} // namespace Mgx
