#pragma once

#include <cstdint>
#include <string>

namespace Mgx {

struct ChatInGame {
    std::int32_t time = 0; // game time in milliseconds when the line was met
    std::string text;      // stored chat text or a composed event line
    // How many bytes at the end of an event line are the reader's own wording, which is GBK
    // whatever the code page of the record's text.
    std::uint16_t composedTail = 0;

    bool operator==(const ChatInGame&) const = default;
};

} // namespace Mgx
