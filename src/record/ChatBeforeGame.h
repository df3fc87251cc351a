#pragma once

#include <string>

namespace Mgx {

struct ChatBeforeGame {
    std::string text; // GBK bytes as stored
};

} // namespace Mgx
