#pragma once

#include <cstdint>
#include <string>

namespace Mgx {

struct ChatInGame {
    std::int32_t time = 0; // game time in milliseconds when the line was met
    std::string text;      // GBK bytes: stored chat text or a composed event line

    bool operator==(const ChatInGame&) const = default;
};

} // namespace Mgx
