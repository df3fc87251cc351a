#include "RarStoreWriter.h"

#include <zlib.h>

namespace korvale::test {

namespace {

constexpr std::uint8_t MainHeader = 0x73;
constexpr std::uint8_t FileHeader = 0x74;
constexpr std::uint8_t EndHeader = 0x7B;
constexpr std::uint16_t LongBlock = 0x8000;    // a data area follows the header
constexpr std::uint16_t FolderFlags = 0x00E0;  // all dictionary bits set: a folder
constexpr std::uint8_t StoreMethod = 0x30;
constexpr std::uint8_t HostDos = 0;
constexpr std::uint32_t DosFolderAttribute = 0x10;
constexpr std::uint32_t DosArchiveAttribute = 0x20;

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t size)
{
    return static_cast<std::uint32_t>(crc32(0, bytes, static_cast<uInt>(size)));
}

// A header from its type byte on, with its CRC and size filled in front.
void AppendHeader(std::vector<std::uint8_t>& out, std::uint8_t type, std::uint16_t flags, const std::vector<std::uint8_t>& body)
{
    std::vector<std::uint8_t> header;
    header.push_back(type);
    Put(header, flags, 2);
    Put(header, static_cast<std::uint32_t>(2 + 1 + 2 + 2 + body.size()), 2);
    header.insert(header.end(), body.begin(), body.end());
    Put(out, Crc32(header.data(), header.size()) & 0xFFFF, 2);
    out.insert(out.end(), header.begin(), header.end());
}

} // namespace

std::vector<std::uint8_t> BuildRarStore(const std::vector<RarStoreEntry>& entries)
{
    std::vector<std::uint8_t> out{0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
    AppendHeader(out, MainHeader, 0, std::vector<std::uint8_t>(6, 0)); // two reserved fields
    for (const RarStoreEntry& entry : entries) {
        std::vector<std::uint8_t> body;
        Put(body, static_cast<std::uint32_t>(entry.data.size()), 4); // packed size
        Put(body, entry.declaredSize.value_or(static_cast<std::uint32_t>(entry.data.size())), 4);
        body.push_back(HostDos);
        Put(body, entry.crc.value_or(Crc32(entry.data.data(), entry.data.size())), 4);
        Put(body, entry.dosTime, 4);
        body.push_back(20); // version needed: 2.0
        body.push_back(StoreMethod);
        Put(body, static_cast<std::uint32_t>(entry.name.size()), 2);
        Put(body, entry.folder ? DosFolderAttribute : DosArchiveAttribute, 4);
        body.insert(body.end(), entry.name.begin(), entry.name.end());
        AppendHeader(out, FileHeader, static_cast<std::uint16_t>(LongBlock | (entry.folder ? FolderFlags : 0)), body);
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    }
    AppendHeader(out, EndHeader, 0x4000, {});
    return out;
}

} // namespace korvale::test
