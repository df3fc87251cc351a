#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace Mgx {

// Every failure of a load is one of these; the message says what failed and where.
class RecordError : public std::runtime_error {
public:
    explicit RecordError(const std::string& message) : std::runtime_error(message) {}
};

// The file could not be opened at all. The window answers this one with a fixed message.
class OpenError : public RecordError {
public:
    explicit OpenError(const std::string& path) : RecordError("cannot open " + path) {}
};

// zlib refused the compressed header block.
class InflateError : public RecordError {
public:
    InflateError(int zlibStatus, const std::string& detail)
        : RecordError("header block at offset 8 does not inflate: " + detail + " (zlib status " + std::to_string(zlibStatus) + ")")
        , m_status(zlibStatus) {}
    int zlibStatus() const { return m_status; }

private:
    int m_status;
};

// The walk over the inflated header block left the block or found it malformed.
class HeaderError : public RecordError {
public:
    HeaderError(const std::string& what, std::int64_t position)
        : RecordError("header block: " + what + " at position " + std::to_string(position))
        , m_position(position) {}
    std::int64_t position() const { return m_position; }

private:
    std::int64_t m_position;
};

// The file's outer layout is unusable (a header block that cannot exist).
class ContainerError : public RecordError {
public:
    ContainerError(const std::string& what, std::int64_t offset)
        : RecordError("record file: " + what + " at offset " + std::to_string(offset)) {}
};

} // namespace Mgx
