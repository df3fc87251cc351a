#include "AlliedHdRecord.h"

#include "RecordLayout.h"
#include "RecordWriter.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace korvale::test {

namespace {

constexpr int Hd50PlayerCount = 3;

std::vector<std::uint8_t> Inflate(const std::uint8_t* data, std::size_t size)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        throw std::runtime_error("inflateInit2 failed");
    std::vector<std::uint8_t> out;
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    int status = Z_OK;
    while (status == Z_OK) {
        std::uint8_t chunk[1 << 16];
        stream.next_out = chunk;
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        out.insert(out.end(), chunk, chunk + (sizeof chunk - stream.avail_out));
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("the header block does not inflate");
    return out;
}

// Where the stances of the block of the player with this name begin: the name's length field
// (the length counts its NUL) lies the fixed head after them.
std::size_t StancesOf(const std::vector<std::uint8_t>& header, const std::string& name)
{
    using namespace Mgx::PlayerBlockLayout;
    std::string field(2, '\0');
    field[0] = static_cast<char>(name.size() + 1);
    field += name;
    field += '\0';
    const std::string_view text(reinterpret_cast<const char*>(header.data()), header.size());
    const std::size_t at = text.find(field);
    if (at == std::string_view::npos)
        throw std::runtime_error("no player block named " + name);
    return at - static_cast<std::size_t>(Hd50PlayerCount + AfterDiplomacyStances) + BeforeDiplomacyStances;
}

void Put(std::vector<std::uint8_t>& file, std::size_t at, std::int32_t value) { std::memcpy(file.data() + at, &value, sizeof value); }

} // namespace

std::vector<std::uint8_t> AlliedHdRecordBytes(const std::filesystem::path& hd50Path)
{
    std::ifstream in(hd50Path, std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (file.size() < 8)
        throw std::runtime_error("cannot read " + hd50Path.string());
    std::int32_t headerEnd = 0;
    std::memcpy(&headerEnd, file.data(), sizeof headerEnd);
    std::vector<std::uint8_t> header = Inflate(file.data() + 8, static_cast<std::size_t>(headerEnd) - 8);
    // Stances by player index: Gaia, robo_boro (1), Klavskis (2).
    header[StancesOf(header, "robo_boro") + 2] = 0;
    header[StancesOf(header, "Klavskis") + 1] = 0;

    const std::vector<std::uint8_t> compressed = Mgx::RawDeflate(header);
    std::vector<std::uint8_t> patched(8);
    Put(patched, 0, static_cast<std::int32_t>(compressed.size() + 8));
    patched.insert(patched.end(), compressed.begin(), compressed.end());
    patched.insert(patched.end(), file.begin() + headerEnd, file.end());
    return patched;
}

} // namespace korvale::test
