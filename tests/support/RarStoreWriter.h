#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvale::test {

// One entry of a RAR 4 archive whose data is stored, not compressed.
struct RarStoreEntry {
    std::string name;               // the header's name bytes, as given ("a\\b.mgx", GBK, hostile ...)
    std::vector<std::uint8_t> data; // empty for a folder
    bool folder = false;
    std::optional<std::uint32_t> declaredSize; // the unpacked size the header states; the true one when unset
    std::uint32_t dosTime = 0x5A2B6C31;        // 2025-01-11 13:33:34
    std::optional<std::uint32_t> crc;          // the CRC-32 the header states; the true one when unset
};

// Builds a RAR 4 archive byte by byte: the marker, the main header, one file header plus stored
// data per entry (method 0x30, CRC-32 of the data) and the end-of-archive header. Every header's
// CRC is the low 16 bits of the CRC-32 of its bytes from the type byte on.
std::vector<std::uint8_t> BuildRarStore(const std::vector<RarStoreEntry>& entries);

} // namespace korvale::test
