#pragma once

#include "GameRecord.h"
#include "RecordError.h"

#include <string>

// One JSON Lines record for a loaded file: the path as given and every field of its first chapter.
std::string RecordJsonLine(const std::string& file, const Mgx::GameRecord& record);

// One JSON Lines record for a file that could not be loaded.
std::string ErrorJsonLine(const std::string& file, const std::string& error);

// The same for a record from a format the reader does not read: the message the user sees, and what the header holds.
std::string UnsupportedFormatJsonLine(const std::string& file, const Mgx::UnsupportedFormatError& error);
