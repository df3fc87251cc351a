#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file the fuzz input is written into, for the parts of the reader that work on files. It lives in
// a folder of this process's own, in memory-backed /dev/shm when there is one: writing it each run
// must cost far less than the run, and nothing another process (or an earlier, killed run) left
// behind may change what a run sees. The folder goes when the process ends normally; folders of
// processes that no longer run are removed when the next one starts.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // False when the file could not be written; the run is then skipped.
    bool Write(const std::uint8_t* data, std::size_t size) const;
    const std::string& Path() const { return m_path; }
    // Another path in the same folder, for files a target makes beside the scratch file.
    std::string Sibling(const std::string& name) const { return m_folder + "/" + name; }

private:
    std::string m_folder;
    std::string m_path;
};
