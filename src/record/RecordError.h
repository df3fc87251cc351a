#pragma once

#include "RecordFormat.h"

#include <cstdint>
#include <cstdio>
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
    int ZlibStatus() const { return m_status; }

private:
    int m_status;
};

// The walk over the inflated header block left the block or found it malformed.
class HeaderError : public RecordError {
public:
    HeaderError(const std::string& what, std::int64_t position)
        : RecordError("header block: " + what + " at position " + std::to_string(position))
        , m_position(position) {}
    std::int64_t Position() const { return m_position; }

private:
    std::int64_t m_position;
};

// The file's outer layout is unusable (a header block that cannot exist).
class ContainerError : public RecordError {
public:
    ContainerError(const std::string& what, std::int64_t offset)
        : RecordError("record file: " + what + " at offset " + std::to_string(offset)) {}
};

// The header names a game or release whose records the walk cannot read. Raised before the walk
// moves, so the message names the file's kind rather than some position deep in the block.
class UnsupportedFormatError : public RecordError {
public:
    UnsupportedFormatError(const std::string& versionText, float saveVersion, UnsupportedFormatKind kind,
                           double definitiveVersion = 0)
        : RecordError("unsupported format: " + versionText + ", save version " + SaveVersionText(saveVersion)
                      + (definitiveVersion > 0 ? ", version " + ReleaseText(definitiveVersion) : std::string()) + " ("
                      + UnsupportedFormatName(kind) + ")")
        , m_versionText(versionText)
        , m_saveVersion(saveVersion)
        , m_kind(kind)
        , m_definitiveVersion(definitiveVersion) {}
    const std::string& VersionText() const { return m_versionText; }
    float SaveVersion() const { return m_saveVersion; }
    UnsupportedFormatKind Kind() const { return m_kind; }
    // The Definitive Edition's version where the record stores one after the save version -1.0; else 0.
    double DefinitiveVersion() const { return m_definitiveVersion; }

    // One decimal, two where the release has them: 63.0, 50.3, 64.25.
    static std::string ReleaseText(double version)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", version);
        std::string result = text;
        if (result.size() > 3 && result.back() == '0')
            result.pop_back();
        return result;
    }

    // Two decimals, as the game's releases are named.
    static std::string SaveVersionText(float saveVersion)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(saveVersion));
        return text;
    }

private:
    std::string m_versionText;
    float m_saveVersion;
    UnsupportedFormatKind m_kind;
    double m_definitiveVersion;
};

} // namespace Mgx
