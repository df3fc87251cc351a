#include "TemporaryRecord.h"

#include "RecordWriter.h"

#include "RecordLoader.h"

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace korvale::test {

namespace {

std::filesystem::path FreshPath()
{
    static std::atomic<unsigned> counter{0};
    const std::string name = "korvale-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".mgx";
    return std::filesystem::temp_directory_path() / name;
}

} // namespace

TemporaryRecord::TemporaryRecord(const Mgx::RecordBlueprint& blueprint)
    : m_path(FreshPath())
{
    Mgx::RecordWriter(blueprint).WriteFile(m_path);
}

TemporaryRecord::TemporaryRecord(const std::vector<std::uint8_t>& bytes)
    : m_path(FreshPath())
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

Mgx::GameRecord TemporaryRecord::load() const
{
    return Mgx::LoadRecordFile(m_path.string());
}

Mgx::ChapterInfo ReadBack(const Mgx::RecordBlueprint& blueprint)
{
    Mgx::GameRecord record = TemporaryRecord(blueprint).load();
    if (record.chapters.empty())
        throw std::runtime_error("the record has no chapter");
    return std::move(record.chapters.front());
}

} // namespace korvale::test
