#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace korvale::test {

// The bytes of the real HD 5.0 record hd50_tourney_final_g4.aoe2record (a 1v1 whose lobby wrote
// no team) with its two players' stances rewritten so that each names the other ally: the one
// real HD record whose teams come from the stances. Throws std::runtime_error when the file
// cannot be read or its header holds no block named as expected.
std::vector<std::uint8_t> AlliedHdRecordBytes(const std::filesystem::path& hd50Path);

} // namespace korvale::test
