#pragma once

#include "GbkText.h"

#include <QString>

#include <string>
#include <string_view>

// Record text is GBK. The shown text ends at the first NUL byte, as a C string would.
QString DecodeGbk(std::string_view bytes);
QString DecodeGbk(const std::string& bytes);

// A field the reader never reached shows as empty text.
QString DecodeGbk(const Mgx::GbkText& text);
