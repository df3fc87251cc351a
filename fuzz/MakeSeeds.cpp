// Writes the seed corpus of each fuzz target, each seed cut to the part its target reads: records and
// parts of records built by the record writer, and the same parts of the given real record files.
#include "BodyWriter.h"
#include "ByteBuilder.h"
#include "ChapterInfo.h"
#include "HeaderInflater.h"
#include "HeaderWalk.h"
#include "MemoryStream.h"
#include "ObjectRecordWriter.h"
#include "PlayerBlockWriter.h"
#include "RecordError.h"
#include "RecordWriter.h"
#include "SampleRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

// How much of a large input each target gets; .ci/fuzz runs each fuzzer with the same limit. The
// whole load is cut shortest: the records built here are complete in a few hundred bytes, and the
// stages a real record reaches deeper in have targets of their own.
constexpr std::size_t LoadCut = 4 * 1024;
// The built header blocks (47 to 53 KiB with their small map) fit whole; a real one's map alone is larger.
constexpr std::size_t HeaderCut = 64 * 1024;
constexpr std::size_t BodyCut = 32 * 1024;
constexpr std::size_t PlayerBlockCut = 32 * 1024 - 4; // after the four parameter bytes
constexpr std::size_t RepairWindow = 4 * 1024;
// The built records' compressed header blocks fit whole; a real one is cut, which is a stream ending early.
constexpr std::size_t InflateCut = 16 * 1024;

struct Corpus {
    fs::path root;
    fs::path Dir(const char* target) const
    {
        fs::create_directories(root / target);
        return root / target;
    }
};

void WriteSeed(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Prefix(const std::uint8_t* bytes, std::size_t size, std::size_t cut) { return Bytes(bytes, bytes + std::min(size, cut)); }

Bytes Int32Bytes(std::int32_t value)
{
    Bytes bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

Bytes Joined(Bytes head, const Bytes& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The player fuzzer's input: mode, player count, player index, map side, then the stream.
Bytes PlayerSeed(std::uint8_t mode, std::uint8_t playerCount, std::uint8_t index, std::uint8_t side, const Bytes& stream)
{
    return Joined({mode, playerCount, index, side}, stream);
}

// The repair's input for a record made unfinished: no gap, the first field 0, the second, and the
// stretch of header and body around where the body starts.
Bytes RepairSeed(const Bytes& file, std::size_t bodyStart)
{
    Bytes seed = {0, 0, 0, 0, 0, 0};
    seed.insert(seed.end(), file.begin() + 4, file.begin() + 8);
    const std::size_t from = bodyStart > RepairWindow / 2 + 8 ? bodyStart - RepairWindow / 2 : 8;
    const std::size_t to = std::min(file.size(), from + RepairWindow);
    seed.insert(seed.end(), file.begin() + static_cast<std::ptrdiff_t>(from), file.begin() + static_cast<std::ptrdiff_t>(to));
    return seed;
}

std::vector<Mgx::RecordBlueprint> BuiltBlueprints()
{
    using Mgx::RecordBlueprint;
    std::vector<RecordBlueprint> blueprints(5);
    blueprints[1].header.aiFlag = 1;
    blueprints[1].header.aiStrings = {"ai.per"};
    blueprints[2].header.players.back().kind = 3;
    // Nature alone, and nature with one player: whole header blocks in few bytes.
    blueprints[3].header.players.resize(1);
    blueprints[4].header.players.resize(2);
    for (const Mgx::SampleRecord& sample : Mgx::SampleRecords())
        blueprints.push_back(sample.blueprint);
    // UserPatch 1.4 with AI data and scenario lists, UserPatch 1.5 with its wide tiles and type entries.
    RecordBlueprint userPatch14 = blueprints[1];
    userPatch14.header.prefix = Mgx::HeaderBlueprint::VersionPrefix("VER 9.C", 11.76f);
    userPatch14.header.playerScenarioLists = {{1, 2}};
    blueprints.push_back(userPatch14);
    RecordBlueprint userPatch15 = blueprints[2];
    userPatch15.header.prefix = Mgx::HeaderBlueprint::VersionPrefix("VER 9.F", 11.76f);
    blueprints.push_back(userPatch15);
    return blueprints;
}

void WriteBuiltPlayers(const Mgx::RecordBlueprint& blueprint, const fs::path& dir, const std::string& stem)
{
    const auto& players = blueprint.header.players;
    const auto count = static_cast<std::uint8_t>(players.size());
    for (std::size_t p = 0; p < players.size(); ++p) {
        Mgx::ByteBuilder block;
        Mgx::PlayerBlockWriter::Write(players[p], count, block);
        WriteSeed(dir / (stem + "-block" + std::to_string(p)), PlayerSeed(0, count, static_cast<std::uint8_t>(p), 32, Prefix(block.Data().data(), block.Size(), PlayerBlockCut)));

        Mgx::ByteBuilder objects;
        for (const auto& group : players[p].groups)
            for (const auto& object : group.objects)
                if (objects.Size() < PlayerBlockCut)
                    Mgx::ObjectRecordWriter::Write(object, objects);
        objects.U8(0);
        if (objects.Size() > 1)
            WriteSeed(dir / (stem + "-objects" + std::to_string(p)), PlayerSeed(1, count, 0, 32, objects.Data()));
    }
}

void WriteBuilt(const Corpus& corpus)
{
    int n = 0;
    for (const Mgx::RecordBlueprint& blueprint : BuiltBlueprints()) {
        const std::string stem = "built-" + std::to_string(n++);
        const Mgx::RecordWriter writer(blueprint);
        const Bytes file = writer.FileBytes();
        WriteSeed(corpus.Dir("load") / stem, Prefix(file.data(), file.size(), LoadCut));
        WriteSeed(corpus.Dir("header") / stem, Prefix(writer.HeaderBlock().data(), writer.HeaderBlock().size(), HeaderCut));
        const auto headerEnd = static_cast<std::size_t>(writer.BodyOffset());
        if (headerEnd > 8 && headerEnd <= file.size())
            WriteSeed(corpus.Dir("inflate") / stem, Prefix(file.data() + 8, headerEnd - 8, InflateCut));
        WriteBuiltPlayers(blueprint, corpus.Dir("player"), stem);

        const Mgx::WrittenBody body = Mgx::BodyWriter::Write(blueprint.body, 4);
        const std::int32_t next = body.boundaries.empty() ? 0 : static_cast<std::int32_t>(body.boundaries.front());
        WriteSeed(corpus.Dir("body") / stem, Prefix(Joined(Int32Bytes(next), body.bytes).data(), body.bytes.size() + 4, BodyCut));

        WriteSeed(corpus.Dir("repair") / stem, RepairSeed(file, static_cast<std::size_t>(writer.BodyOffset())));
    }
}

// The repair's awkward cases: a pattern at 1000, one behind an extra first byte, one across the
// 8192-byte pieces (the gap puts it at 8194), and one too early to be a body.
void WriteRepairCases(const Corpus& corpus)
{
    const Bytes pattern = {0xF4, 0x01, 0x00, 0x00};
    Bytes at1000(1000, 0x11);
    std::fill_n(at1000.begin(), 4, 0);
    WriteSeed(corpus.Dir("repair") / "at-1000", Joined({0, 0}, Joined(at1000, pattern)));
    WriteSeed(corpus.Dir("repair") / "doubled-first-byte", Joined({0, 0}, Joined(at1000, {0xF4, 0xF4, 0x01, 0x00, 0x00})));
    const std::uint16_t gap = 8194 - 4 - 4;
    WriteSeed(corpus.Dir("repair") / "across-pieces", Joined({static_cast<std::uint8_t>(gap), static_cast<std::uint8_t>(gap >> 8)},
                                                             Joined({0, 0, 0, 0, 0x22, 0x22, 0x22, 0x22}, pattern)));
    WriteSeed(corpus.Dir("repair") / "too-early", Joined({0, 0}, Joined({0, 0, 0, 0, 0x33}, Joined(pattern, Joined(Bytes(20, 0x44), pattern)))));
}

// The inflater's awkward cases: a whole, empty stream with bytes after it, and a block that inflates
// to far more than 16 times its size, so the room has to grow.
void WriteInflateCases(const Corpus& corpus)
{
    WriteSeed(corpus.Dir("inflate") / "empty-stream", {0x03, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    WriteSeed(corpus.Dir("inflate") / "zeros", Mgx::RawDeflate(Bytes(256u << 10, 0)));
}

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A real player block starts playerCount + 42 bytes before its name's length field; found by the
// name the walk read, it ends where the next one starts.
void WriteRealPlayers(const Bytes& header, const Mgx::ChapterInfo& chapter, const fs::path& dir, const std::string& stem)
{
    std::vector<std::size_t> starts;
    std::size_t from = 0;
    for (std::size_t p = 0; p < chapter.playerCount && p < chapter.players.size() && chapter.players[p].name; ++p) {
        const std::string& name = *chapter.players[p].name;
        Bytes field = {static_cast<std::uint8_t>(name.size()), static_cast<std::uint8_t>(name.size() >> 8)};
        field.insert(field.end(), name.begin(), name.end());
        const auto found = std::search(header.begin() + static_cast<std::ptrdiff_t>(from), header.end(), field.begin(), field.end());
        const auto at = static_cast<std::size_t>(found - header.begin());
        if (found == header.end() || at < chapter.playerCount + 42u)
            break;
        starts.push_back(at - chapter.playerCount - 42);
        from = at + field.size();
    }
    for (std::size_t p = 0; p < starts.size(); ++p) {
        const std::size_t end = p + 1 < starts.size() ? starts[p + 1] : header.size();
        const std::size_t length = std::min(end - starts[p], PlayerBlockCut);
        WriteSeed(dir / (stem + "-block" + std::to_string(p)),
                  PlayerSeed(0, chapter.playerCount, static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(chapter.mapWidth), Prefix(header.data() + starts[p], length, length)));
    }
}

void WriteReal(const Corpus& corpus, const fs::path& record)
{
    const Bytes file = ReadFile(record);
    const std::string stem = record.stem().string();
    std::int32_t headerEnd = 0;
    std::int32_t next = 0;
    if (file.size() < 8)
        return;
    std::memcpy(&headerEnd, file.data(), 4);
    std::memcpy(&next, file.data() + 4, 4);
    if (headerEnd <= 8 || static_cast<std::size_t>(headerEnd) > file.size()) {
        WriteSeed(corpus.Dir("load") / stem, Prefix(file.data(), file.size(), LoadCut));
        return;
    }
    const auto bodyStart = static_cast<std::size_t>(headerEnd);
    WriteSeed(corpus.Dir("load") / stem, Prefix(file.data(), file.size(), LoadCut));
    const std::int32_t shifted = next > headerEnd ? next - headerEnd + 4 : 0;
    WriteSeed(corpus.Dir("body") / stem, Joined(Int32Bytes(shifted), Prefix(file.data() + bodyStart, file.size() - bodyStart, BodyCut - 4)));

    WriteSeed(corpus.Dir("repair") / stem, RepairSeed(file, bodyStart));
    WriteSeed(corpus.Dir("inflate") / stem, Prefix(file.data() + 8, bodyStart - 8, InflateCut));

    try {
        const Mgx::HeaderBlock block = Mgx::InflateHeaderBlock(file.data() + 8, bodyStart - 8);
        const Bytes header = block.ToVector();
        WriteSeed(corpus.Dir("header") / stem, Prefix(header.data(), header.size(), HeaderCut));
        Mgx::MemoryStream stream(header);
        Mgx::ChapterInfo chapter;
        Mgx::WalkHeader(stream, chapter);
        WriteRealPlayers(header, chapter, corpus.Dir("player"), stem);
    } catch (const Mgx::RecordError&) {
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: korvale-fuzz-seeds CORPUS_DIR [RECORD...]\n"
                   "  writes CORPUS_DIR/{load,header,player,body,repair}\n",
                   stderr);
        return 2;
    }
    const Corpus corpus{argv[1]};
    WriteBuilt(corpus);
    WriteRepairCases(corpus);
    WriteInflateCases(corpus);
    for (int i = 2; i < argc; ++i)
        WriteReal(corpus, argv[i]);
    return 0;
}
