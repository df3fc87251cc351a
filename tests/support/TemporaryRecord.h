#pragma once

#include "RecordBlueprint.h"

#include "ChapterInfo.h"
#include "GameRecord.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace korvale::test {

// A record file written from a blueprint (or from raw bytes) into the temporary folder, removed
// again when the object goes.
class TemporaryRecord {
public:
    explicit TemporaryRecord(const Mgx::RecordBlueprint& blueprint);
    explicit TemporaryRecord(const std::vector<std::uint8_t>& bytes);
    ~TemporaryRecord();
    TemporaryRecord(const TemporaryRecord&) = delete;
    TemporaryRecord& operator=(const TemporaryRecord&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    Mgx::GameRecord Load() const;

private:
    std::filesystem::path m_path;
};

// Writes the blueprint to a file, loads it with the reader and returns its one chapter.
// Throws what the reader throws; throws std::runtime_error when the record has no chapter.
Mgx::ChapterInfo ReadBack(const Mgx::RecordBlueprint& blueprint);

} // namespace korvale::test
