#pragma once

#include "GameRecord.h"

#include <QString>

#include <string>

// Record text is GBK; what we print is UTF-8. A text ends at its first NUL byte, as the game reads it.
QString DecodeGbkText(const std::string& bytes);

// One JSON Lines record for a loaded file: the path as given and every field of its first chapter.
std::string RecordJsonLine(const std::string& file, const Mgx::GameRecord& record);

// One JSON Lines record for a file that could not be loaded.
std::string ErrorJsonLine(const std::string& file, const std::string& error);
