#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file the fuzz input is written into, for the parts of the reader that work on files. It lives in
// memory-backed /dev/shm when there is one: writing it each run must cost far less than the run.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // False when the file could not be written; the run is then skipped.
    bool write(const std::uint8_t* data, std::size_t size) const;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};
