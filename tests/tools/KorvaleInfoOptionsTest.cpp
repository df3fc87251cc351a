// korvale-info's options, the way command-line users expect them: --help, --version, --opt=value,
// named errors, and file names passed through untouched.
#include "InfoOptions.h"
#include "ProgramRun.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using korvale::test::Arg;
using korvale::test::RunInfo;

TEST(InfoOptions, ParsesFilesPictureTargetsAndTheEndOfOptions)
{
    const InfoCommandLine command = ParseInfoOptions({"--json", "--map-png=m.png", "a.mgx", "--panel-png", "p", "--", "--repair"});
    ASSERT_EQ(command.request, InfoRequest::Run) << command.error;
    EXPECT_TRUE(command.options.json);
    EXPECT_FALSE(command.options.repair);
    EXPECT_EQ(command.options.mapPng, "m.png");
    EXPECT_EQ(command.options.panelPng, "p");
    EXPECT_EQ(command.options.files, (std::vector<std::string>{"a.mgx", "--repair"}));
}

TEST(InfoOptions, UsageErrorsNameWhatIsWrong)
{
    const auto error = [](const std::vector<std::string>& arguments) {
        const InfoCommandLine command = ParseInfoOptions(arguments);
        EXPECT_EQ(command.request, InfoRequest::UsageError);
        return command.error;
    };
    EXPECT_NE(error({"--frobnicate", "a.mgx"}).find("frobnicate"), std::string::npos);
    EXPECT_NE(error({"a.mgx", "--map-png"}).find("map-png"), std::string::npos) << "a picture option needs its path";
    EXPECT_FALSE(error({"--map-png=", "a.mgx"}).empty());
    EXPECT_NE(error({"--repair", "--panel-png", "p", "a.mgx"}).find("--repair"), std::string::npos);
    EXPECT_FALSE(error({}).empty());
    EXPECT_FALSE(error({"--json"}).empty()) << "no file named";
}

TEST(InfoOptions, HelpAndVersionNeedNoFile)
{
    EXPECT_EQ(ParseInfoOptions({"--help"}).request, InfoRequest::Help);
    EXPECT_EQ(ParseInfoOptions({"-h", "a.mgx"}).request, InfoRequest::Help);
    EXPECT_EQ(ParseInfoOptions({"--version"}).request, InfoRequest::Version);
}

TEST(InfoOptions, FileNamesInAnotherEncodingComeBackByteForByte)
{
    const std::string gbkName = "\xB6\xAB\xB7\xBD.mgx"; // 东方.mgx in GBK: no UTF-8 text
    const std::string gbkFolder = "\xB5\xD8\xCD\xBC";    // 地图
    const InfoCommandLine command = ParseInfoOptions({"--map-png=" + gbkFolder, gbkName, "\xFF", "--", "--a=\xFF"});
    ASSERT_EQ(command.request, InfoRequest::Run) << command.error;
    EXPECT_EQ(command.options.files, (std::vector<std::string>{gbkName, "\xFF", "--a=\xFF"}));
    EXPECT_EQ(command.options.mapPng, gbkFolder);
}

TEST(InfoOptions, SeveralRecordsWriteOnePictureEachIntoTheFolder)
{
    EXPECT_EQ(PicturePath("out.png", "/r/a.mgx", false), "out.png");
    EXPECT_EQ(PicturePath("maps", "/r/a.mgx", true), "maps/a.png");
}

class KorvaleInfoOptions : public korvale::test::InfoProgramTest {};

TEST_F(KorvaleInfoOptions, ProgramAnswersHelpVersionAndUsageErrors)
{
    const korvale::test::ProgramRun help = RunInfo({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--repair")) << help.out.toStdString();

    const korvale::test::ProgramRun version = RunInfo({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("korvale-info ")) << version.out.toStdString();

    const korvale::test::ProgramRun unknown = RunInfo({"--frobnicate", "a.mgx"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains("frobnicate")) << unknown.err.toStdString();
    EXPECT_TRUE(unknown.out.isEmpty());
}

TEST_F(KorvaleInfoOptions, MapPictureOptionTakesItsPathAfterAnEqualsSign)
{
    const fs::path record = Write("a.mgx", Mgx::RecordBlueprint{});
    const fs::path picture = m_dir / "map.png";
    EXPECT_EQ(RunInfo({"--map-png=" + Arg(picture), Arg(record)}).status, 0);
    EXPECT_GT(fs::file_size(picture), 100u);
}

} // namespace
