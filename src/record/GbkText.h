#pragma once

#include <optional>
#include <string>

namespace Mgx {

// Text as stored in a record: GBK bytes, no terminator. A field the reader never
// reached holds no value, which the view must tell apart from an empty text.
using GbkText = std::optional<std::string>;

} // namespace Mgx
