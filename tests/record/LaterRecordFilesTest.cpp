// Record files of the later releases: which game wrote a file, told from its first bytes, and the
// values the later HD records hold beyond those every record has.
#include "RealRecords.h"
#include "RecordError.h"
#include "RecordFormat.h"
#include "RecordLoader.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TextCodePage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using korvale::test::RealRecordPath;

void Append(std::vector<std::uint8_t>& out, const void* bytes, std::size_t size)
{
    const auto* data = static_cast<const std::uint8_t*>(bytes);
    out.insert(out.end(), data, data + size);
}

template <typename T> void AppendValue(std::vector<std::uint8_t>& out, T value) { Append(out, &value, sizeof value); }

// A header block's start: the version text, NUL-padded to 8 bytes, and the save version.
std::vector<std::uint8_t> HeaderStart(const char* text, float saveVersion)
{
    std::vector<std::uint8_t> block(8, 0);
    std::memcpy(block.data(), text, std::strlen(text));
    AppendValue(block, saveVersion);
    return block;
}

// A file as the game lays it out: headerEnd, nextChapterPos (when the game writes one), the
// compressed header block, a few body bytes.
std::vector<std::uint8_t> RecordFileBytes(const std::vector<std::uint8_t>& header, bool nextChapterField = true)
{
    const std::vector<std::uint8_t> compressed = Mgx::RawDeflate(header);
    std::vector<std::uint8_t> file;
    AppendValue(file, static_cast<std::int32_t>(compressed.size() + (nextChapterField ? 8 : 4)));
    if (nextChapterField)
        AppendValue(file, std::int32_t{0});
    Append(file, compressed.data(), compressed.size());
    AppendValue(file, std::int32_t{4});
    return file;
}

Mgx::UnsupportedFormatError RefusalOf(const std::vector<std::uint8_t>& file)
{
    Mgx::RecordReader reader;
    try {
        reader.LoadBytes(file, "refused.aoe2record");
    } catch (const Mgx::UnsupportedFormatError& error) {
        return error;
    }
    ADD_FAILURE() << "the file was read as a record";
    return Mgx::UnsupportedFormatError("", 0, Mgx::UnsupportedFormatKind::Mod);
}

TEST(LaterRecordFiles, SaveVersionsChooseTheFamilyAndItsRelease)
{
    const auto format = [](float save) { return Mgx::IdentifyRecordFormat({"VER 9.4", save}); };
    EXPECT_EQ(format(11.97f).family, Mgx::RecordFormat::Hd);
    EXPECT_EQ(format(12.10f).family, Mgx::RecordFormat::Hd);
    for (const auto& [save, family, release] : {std::tuple{12.20f, Mgx::RecordFormat::HdBeforeSettings, 1220},
                                                std::tuple{12.31f, Mgx::RecordFormat::HdBeforeSettings, 1231},
                                                std::tuple{12.34f, Mgx::RecordFormat::HdBeforeSettings, 1234},
                                                std::tuple{12.36f, Mgx::RecordFormat::HdWithSettings, 1236},
                                                std::tuple{12.50f, Mgx::RecordFormat::HdWithSettings, 1250},
                                                std::tuple{12.96f, Mgx::RecordFormat::HdWithSettings, 1296}}) {
        SCOPED_TRACE(save);
        const Mgx::RecordFormat read = format(save);
        EXPECT_EQ(read.family, family);
        EXPECT_EQ(read.hdRelease, release);
        EXPECT_TRUE(read.IsHd() && read.hdLater) << "the later HD families keep every earlier HD rule";
    }
    // Between 12.10 and the first later release no game wrote records.
    EXPECT_THROW(format(12.11f), Mgx::UnsupportedFormatError);
    try {
        format(12.97f);
        FAIL() << "12.97 is the Definitive Edition";
    } catch (const Mgx::UnsupportedFormatError& error) {
        EXPECT_EQ(error.Kind(), Mgx::UnsupportedFormatKind::DefinitiveEdition);
        EXPECT_EQ(error.DefinitiveVersion(), 0.0) << "the float form has no version of its own";
    }
}

TEST(LaterRecordFiles, DefinitiveEditionIsNamedWithItsVersion)
{
    // 16.16 fixed point, and one release's whole number.
    for (const auto& [stored, shown] : {std::pair{4128768u, "63.0"}, std::pair{3296460u, "50.3"}, std::pair{37u, "37.0"}}) {
        std::vector<std::uint8_t> header = HeaderStart("VER 9.4", -1.0f);
        AppendValue(header, stored);
        header.resize(header.size() + 64, 0);
        const Mgx::UnsupportedFormatError error = RefusalOf(RecordFileBytes(header));
        EXPECT_EQ(error.Kind(), Mgx::UnsupportedFormatKind::DefinitiveEdition);
        EXPECT_EQ(Mgx::UnsupportedFormatError::ReleaseText(error.DefinitiveVersion()), shown);
        EXPECT_NE(std::string(error.what()).find(std::string("version ") + shown), std::string::npos) << error.what();
    }
    EXPECT_EQ(Mgx::UnsupportedFormatError::ReleaseText(64.25), "64.25");
}

TEST(LaterRecordFiles, HdSavedGameIsToldFromARecord)
{
    // A 16-byte id, 17, 1, 1, the save's name, and the game state after a preamble of 3 744 bytes.
    std::vector<std::uint8_t> file(16, 0x5A);
    for (const std::int32_t mark : {17, 1, 1})
        AppendValue(file, mark);
    const char name[] = "auto save - 28-jan-2014 16`00`07.msx";
    Append(file, name, sizeof name);
    file.resize(3744, 0);
    const std::vector<std::uint8_t> state = Mgx::RawDeflate(HeaderStart("VER 9.4", 11.97f));
    Append(file, state.data(), state.size());
    EXPECT_EQ(RefusalOf(file).Kind(), Mgx::UnsupportedFormatKind::HdSavedGame);

    // The same marks further in are a damaged record, not a saved game.
    std::vector<std::uint8_t> shifted(4, 0x5A);
    Append(shifted, file.data(), file.size());
    Mgx::RecordReader reader;
    try {
        reader.LoadBytes(shifted, "damaged.msx");
        FAIL() << "the damaged file was read";
    } catch (const Mgx::UnsupportedFormatError& error) {
        FAIL() << "named as " << error.what();
    } catch (const Mgx::RecordError&) {
    }
}

TEST(LaterRecordFiles, AgeOfKingsRecordIsNamedByItsVersionText)
{
    std::vector<std::uint8_t> header = HeaderStart("VER 9.3", 11.76f);
    header.resize(header.size() + 4096, 0);
    const Mgx::UnsupportedFormatError error = RefusalOf(RecordFileBytes(header, false));
    EXPECT_EQ(error.Kind(), Mgx::UnsupportedFormatKind::AgeOfKings);
    EXPECT_EQ(error.VersionText(), "VER 9.3");
}

struct LateHdValues {
    const char* file;
    Mgx::RecordFormat::Family family;
    const char* mapName;
    std::uint16_t settingsVersion;
};

class LateHdRecord : public ::testing::TestWithParam<LateHdValues> {};

TEST_P(LateHdRecord, NamesTheMapAndTheReleaseAndReadsNamesAsUtf8)
{
    KORVALE_NEED_REAL_RECORDS();
    const LateHdValues& expected = GetParam();
    const Mgx::GameRecord record = Mgx::LoadRecordFile(RealRecordPath(expected.file));
    const Mgx::ChapterInfo& c = record.chapters.front();
    EXPECT_EQ(Mgx::ChapterFormat(c.versionText, c.saveVersion).family, expected.family);
    EXPECT_EQ(c.mapName, expected.mapName);
    EXPECT_EQ(c.settingsVersion, expected.settingsVersion);
    EXPECT_TRUE(c.utf8Names);
    EXPECT_EQ(Mgx::NameCodePage(c), Mgx::CodePage::Utf8);
    // HD 4.6 and later write all their text in UTF-8; earlier releases only the names.
    EXPECT_EQ(c.codePage == Mgx::CodePage::Utf8, expected.family == Mgx::RecordFormat::HdWithSettings);
}

INSTANTIATE_TEST_SUITE_P(SharedRecords, LateHdRecord,
                         ::testing::Values(LateHdValues{"hd420_finals_g4restart.mgx2", Mgx::RecordFormat::HdBeforeSettings, "Valley", 0},
                                           LateHdValues{"hd431_simple.mgx2", Mgx::RecordFormat::HdBeforeSettings, "Arabia", 0},
                                           LateHdValues{"hd46_sp_replay.aoe2record", Mgx::RecordFormat::HdWithSettings,
                                                        "real_world_britain", 1000},
                                           LateHdValues{"hd50_tourney_final_g4.aoe2record", Mgx::RecordFormat::HdWithSettings,
                                                        "Highland", 1005}));

} // namespace
