#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvale::test {

// Operation type 0: 4 bytes, a count n, then 4 × n bytes.
struct ListOperation {
    std::int32_t n = 0;
};

// What the body holds where the scan skips: the int32 2, a time step's type, so that a scan which
// lands there miscounts the time.
inline const std::vector<std::uint8_t> SkippedBodyWord = {0x02, 0x00, 0x00, 0x00};

// Operation type 1: L bytes of command data, then 4 more. The first data byte says what it is.
struct Command {
    std::vector<std::uint8_t> data;
    std::array<std::uint8_t, 4> trailer = {0x02, 0x00, 0x00, 0x00};
};

// Operation type 2: the game clock advances by delta; u = 0 adds 16 bytes, else 4 × u.
struct TimeStep {
    std::int32_t delta = 0;
    std::int32_t u = 0;
};

// Operation type 3: 24 bytes.
struct ViewOperation {};

// Operation type 4: with m = -1 a chat line (text stored as is), otherwise 20 bytes.
struct ChatOperation {
    std::string text;
    std::int32_t m = -1;
};

// Any other operation type: nothing but the 4 type bytes.
struct BareOperation {
    std::int32_t type = 9;
};

// Bytes that read as a time step of 77777 ms and the chat line "decoy": a scan that fails to jump
// over an embedded chapter shows it in gameTime and ingameChat.
std::vector<std::uint8_t> DecoyOperations();

// Where the next chapter's header is embedded. The reader meets it right after the operation before
// it: it reads resumePos and the next boundary's offset and carries on at resumePos, past the
// embedded bytes. The writer computes both offsets unless they are set here.
struct ChapterBoundary {
    std::vector<std::uint8_t> embedded = DecoyOperations();
    std::optional<std::int32_t> resumePos;
    std::optional<std::int32_t> nextChapterPos;
};

using BodyOperation = std::variant<ListOperation, Command, TimeStep, ViewOperation, ChatOperation, BareOperation, ChapterBoundary>;

// The body: logVersion, 24 bytes the reader passes over (the first int32 of which is the 500 that
// the repair looks for), then the operations.
struct BodyBlueprint {
    std::int32_t logVersion = 4;
    std::array<std::uint8_t, 24> prefix = {0xF4, 0x01, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                                           0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    std::vector<BodyOperation> operations;
};

// The resign command: bytes 1 and 2 are the number the line prints and the slot it names.
Command ResignCommand(std::uint8_t printedNumber, std::uint8_t slot);
// The research command: slot index at bytes 8-9, technology at 10-11 (101 to 103 start an age).
Command ResearchCommand(std::uint16_t slot, std::uint16_t technology);

// Technologies whose research the body scan reports as the start of an age.
constexpr std::uint16_t FeudalAge = 101;
constexpr std::uint16_t CastleAge = 102;
constexpr std::uint16_t ImperialAge = 103;

} // namespace korvale::test
