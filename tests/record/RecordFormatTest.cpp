// Which game wrote a record, told from the header's first 12 bytes, and the refusal of those the
// walk cannot read: at once, by name, before any skip.
#include "ChapterInfo.h"
#include "HeaderWalk.h"
#include "MemoryStream.h"
#include "RecordError.h"
#include "RecordFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// A header block that is nothing but the version, then a long stretch of zeros: enough that a walk
// which went on would only fail much later, at some skip.
std::vector<std::uint8_t> HeaderStart(const std::string& text, float saveVersion)
{
    std::vector<std::uint8_t> block(4096, 0);
    std::memcpy(block.data(), text.data(), std::min<std::size_t>(text.size(), 8));
    std::memcpy(block.data() + 8, &saveVersion, sizeof saveVersion);
    return block;
}

struct Refused {
    std::string text;
    float saveVersion;
    Mgx::UnsupportedFormatKind kind;
};

class LaterFormat : public ::testing::TestWithParam<Refused> {};

TEST_P(LaterFormat, IsRefusedByNameBeforeTheWalkMoves)
{
    const Refused& r = GetParam();
    const std::vector<std::uint8_t> block = HeaderStart(r.text, r.saveVersion);
    Mgx::MemoryStream stream(block.data(), block.size());
    Mgx::ChapterInfo chapter;
    try {
        Mgx::WalkHeader(stream, chapter);
        FAIL() << "the walk should refuse " << r.text;
    } catch (const Mgx::UnsupportedFormatError& error) {
        EXPECT_EQ(error.Kind(), r.kind);
        EXPECT_EQ(error.VersionText(), r.text);
        EXPECT_EQ(error.SaveVersion(), r.saveVersion);
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("unsupported format: " + r.text + ", save version ", 0), 0u) << message;
        EXPECT_EQ(message.find("skip"), std::string::npos) << message;
    }
    EXPECT_EQ(chapter.playerCount, 0) << "nothing after the version may be read";
}

INSTANTIATE_TEST_SUITE_P(
    EveryRowThatFails, LaterFormat,
    ::testing::Values(Refused{"VER 9.4", -1.0f, Mgx::UnsupportedFormatKind::DefinitiveEdition},
                      Refused{"VER 9.4", 12.97f, Mgx::UnsupportedFormatKind::DefinitiveEdition},
                      Refused{"VER 9.4", 13.34f, Mgx::UnsupportedFormatKind::DefinitiveEdition},
                      // Between HD 12.10 and the first HD 4.x release no game wrote records.
                      Refused{"VER 9.4", 12.05f, Mgx::UnsupportedFormatKind::OtherHdRelease},
                      Refused{"VER 9.4", 12.11f, Mgx::UnsupportedFormatKind::OtherHdRelease},
                      Refused{"VER 9.3", 11.76f, Mgx::UnsupportedFormatKind::AgeOfKings},
                      Refused{"TRL 9.3", 11.76f, Mgx::UnsupportedFormatKind::AgeOfKings},
                      Refused{"VER 9.5", 11.76f, Mgx::UnsupportedFormatKind::Mod},
                      Refused{"VER 9.9", 11.76f, Mgx::UnsupportedFormatKind::LaterUserPatch},
                      Refused{"VER 9.A", 11.97f, Mgx::UnsupportedFormatKind::LaterUserPatch},
                      Refused{"VER 9.F", 12.10f, Mgx::UnsupportedFormatKind::LaterUserPatch},
                      Refused{"MCP 9.F", 11.76f, Mgx::UnsupportedFormatKind::LaterUserPatch}));

TEST(RecordFormat, TheReadableRowsSelectTheirRules)
{
    using Mgx::RecordFormat;
    const RecordFormat conquerors = Mgx::IdentifyRecordFormat({"VER 9.4", 11.76f});
    EXPECT_EQ(conquerors.family, RecordFormat::Conquerors);
    const RecordFormat userPatch = Mgx::IdentifyRecordFormat({"VER 9.8", 11.76f});
    EXPECT_TRUE(userPatch.IsUserPatch());
    EXPECT_FALSE(userPatch.hdLater);
    const RecordFormat hdFirst = Mgx::IdentifyRecordFormat({"VER 9.4", 11.97f});
    EXPECT_TRUE(hdFirst.IsHd());
    EXPECT_FALSE(hdFirst.hdLater);
    const RecordFormat hdLater = Mgx::IdentifyRecordFormat({"VER 9.4", 12.10f});
    EXPECT_TRUE(hdLater.IsHd());
    EXPECT_TRUE(hdLater.hdLater);
    for (const char* text : {"VER 9.A", "VER 9.B", "VER 9.C", "VER 9.D"}) {
        const RecordFormat format = Mgx::IdentifyRecordFormat({text, 11.76f});
        EXPECT_EQ(format.family, RecordFormat::UserPatch14) << text;
        EXPECT_TRUE(format.IsUserPatch() && format.IsLaterUserPatch() && !format.IsUserPatch15()) << text;
    }
    for (const char* text : {"VER 9.E", "VER 9.F"}) {
        const RecordFormat format = Mgx::IdentifyRecordFormat({text, 11.76f});
        EXPECT_EQ(format.family, RecordFormat::UserPatch15) << text;
        EXPECT_TRUE(format.IsUserPatch() && format.IsLaterUserPatch() && format.IsUserPatch15()) << text;
    }
    EXPECT_FALSE(userPatch.IsLaterUserPatch());
    // Within the tolerance the stored floats are the same versions.
    EXPECT_TRUE(Mgx::IdentifyRecordFormat({"VER 9.4", 11.974f}).IsHd());
    EXPECT_THROW(Mgx::IdentifyRecordFormat({"VER 9.4", 11.98f}), Mgx::UnsupportedFormatError);
}

TEST(RecordFormat, WhatWasReadBeforeStillReadsAsTheConquerors)
{
    // Unknown or damaged texts, and save versions at or below The Conquerors', walk as they always did.
    for (const Mgx::HeaderVersion& version : {Mgx::HeaderVersion{"", 0.0f}, Mgx::HeaderVersion{"VER 9.4", 11.73f},
                                              Mgx::HeaderVersion{"VER 9.4", 0.0f}, Mgx::HeaderVersion{"\x7f\x01junk", 11.97f},
                                              Mgx::HeaderVersion{"VER 9.4", std::numeric_limits<float>::quiet_NaN()},
                                              Mgx::HeaderVersion{"VER 9.8", 11.97f}}) {
        SCOPED_TRACE(version.text + " " + std::to_string(version.saveVersion));
        EXPECT_EQ(Mgx::IdentifyRecordFormat(version).family, Mgx::RecordFormat::Conquerors);
    }
}

TEST(RecordFormat, TheWalkKeepsTheVersionItRead)
{
    const std::vector<std::uint8_t> block = HeaderStart("VER 9.8", 11.76f);
    Mgx::MemoryStream stream(block.data(), block.size());
    Mgx::ChapterInfo chapter;
    EXPECT_THROW(Mgx::WalkHeader(stream, chapter), Mgx::HeaderError); // zeros are no header
    EXPECT_EQ(chapter.versionText, "VER 9.8");
    EXPECT_FLOAT_EQ(chapter.saveVersion, 11.76f);
}

TEST(RecordFormat, UserPatchStoresThePopulationInUnitsOf25)
{
    EXPECT_EQ(Mgx::EffectivePopulationLimit(Mgx::IdentifyRecordFormat({"VER 9.8", 11.76f}), 8), 200);
    EXPECT_EQ(Mgx::EffectivePopulationLimit(Mgx::IdentifyRecordFormat({"VER 9.C", 11.76f}), 40), 1000);
    EXPECT_EQ(Mgx::EffectivePopulationLimit(Mgx::IdentifyRecordFormat({"VER 9.F", 11.76f}), 12), 300);
    EXPECT_EQ(Mgx::EffectivePopulationLimit(Mgx::IdentifyRecordFormat({"VER 9.4", 11.97f}), 200), 200);
    EXPECT_EQ(Mgx::EffectivePopulationLimit(Mgx::RecordFormat{}, 75), 75);
    // A view never throws for a version the walk would refuse.
    EXPECT_EQ(Mgx::ChapterFormat("VER 9.3", 11.76f).family, Mgx::RecordFormat::Conquerors);
}

} // namespace
