#pragma once

#include "RecordLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace Mgx {

// A sync operation: 4 bytes, a count, then that many int32 values.
struct ListOperation {
    std::int32_t valueCount = 0;
};

// What the body holds where the scan skips: the int32 2, a time step's type, so that a scan which
// lands there miscounts the time.
inline const std::vector<std::uint8_t> SkippedBodyWord = {0x02, 0x00, 0x00, 0x00};

// A command operation: L bytes of command data, then 4 more. The first data byte says what it is.
struct Command {
    std::vector<std::uint8_t> data;
    std::array<std::uint8_t, 4> trailer = {0x02, 0x00, 0x00, 0x00};
};

// A time step: the game clock advances by delta; then valueCount int32 values, or 16 bytes for a count of 0.
struct TimeStep {
    std::int32_t delta = 0;
    std::int32_t valueCount = 0;
};

// A view lock: 24 bytes.
struct ViewOperation {};

// A chat operation: from a player (BodyLayout::ChatFromPlayer) a chat line, text stored as is; otherwise 20 bytes.
struct ChatOperation {
    std::string text;
    std::int32_t sender = BodyLayout::ChatFromPlayer;
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
// The research command: slot index at bytes 8-9, technology at 10-11 (see AgeTechnology).
Command ResearchCommand(std::uint16_t slot, std::uint16_t technology);

} // namespace Mgx
