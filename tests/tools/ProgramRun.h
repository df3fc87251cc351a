#pragma once

// Runs korvale-info in a scratch folder of its own, as players and their scripts do.
#include "BuildPaths.h"

#include "RecordWriter.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace korvale::test {

struct ProgramRun {
    int status = -1; // -1 when the program crashed or hung
    QByteArray out;
    QByteArray err;
};

inline ProgramRun RunInfo(const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromStdString(korvale::build::BuildPath("tools/korvale-info/korvale-info")), arguments);
    process.waitForFinished(60000);
    ProgramRun run;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

inline QJsonObject ParseJson(const QByteArray& line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    return document.object();
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline QString Arg(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

class InfoProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path()
            / ("korvale-info-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path Write(const std::string& name, const Mgx::RecordBlueprint& blueprint) const
    {
        const std::filesystem::path path = m_dir / name;
        Mgx::RecordWriter(blueprint).WriteFile(path);
        return path;
    }

    std::filesystem::path m_dir;
};

} // namespace korvale::test
