#include "TemporaryRecord.h"

#include "RecordWriter.h"
#include "TemporaryFolder.h"

#include "RecordLoader.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace korvale::test {

TemporaryRecord::TemporaryRecord(const Mgx::RecordBlueprint& blueprint)
    : m_path(FreshTemporaryPath(".mgx"))
{
    Mgx::RecordWriter(blueprint).WriteFile(m_path);
}

TemporaryRecord::TemporaryRecord(const std::vector<std::uint8_t>& bytes)
    : m_path(FreshTemporaryPath(".mgx"))
{
    std::ofstream file(m_path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + m_path.string());
}

TemporaryRecord::~TemporaryRecord()
{
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}

Mgx::GameRecord TemporaryRecord::Load() const
{
    return Mgx::LoadRecordFile(m_path.string());
}

Mgx::ChapterInfo ReadBack(const Mgx::RecordBlueprint& blueprint)
{
    Mgx::GameRecord record = TemporaryRecord(blueprint).Load();
    if (record.chapters.empty())
        throw std::runtime_error("the record has no chapter");
    return std::move(record.chapters.front());
}

} // namespace korvale::test
