#pragma once

#include <string>

namespace Mgx {

struct ChatBeforeGame {
    std::string text; // GBK bytes as stored

    bool operator==(const ChatBeforeGame&) const = default;
};

} // namespace Mgx
