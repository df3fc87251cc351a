#pragma once

#include "ChatInGame.h"
#include "GbkText.h"

#include <cstdint>

#include <QString>

#include <string>
#include <string_view>

// Record text is GBK. The shown text ends at the first NUL byte, as a C string would.
QString DecodeGbk(std::string_view bytes);
QString DecodeGbk(const std::string& bytes);

// A field the reader never reached shows as empty text.
QString DecodeGbk(const Mgx::GbkText& text);

// The same for text in the code page a record's text was found to be in (Mgx::DetectCodePage).
QString DecodeRecordText(std::string_view bytes, std::uint16_t codePage);
QString DecodeRecordText(const std::string& bytes, std::uint16_t codePage);
QString DecodeRecordText(const Mgx::GbkText& text, std::uint16_t codePage);
// An in-game line: an event line's own wording is GBK whatever the record's code page, and the
// slot name before it is in the names' code page (Mgx::NameCodePage), which later HD releases
// keep apart from their chat's.
QString DecodeChatLine(const Mgx::ChatInGame& line, std::uint16_t codePage);
QString DecodeChatLine(const Mgx::ChatInGame& line, std::uint16_t codePage, std::uint16_t nameCodePage);
