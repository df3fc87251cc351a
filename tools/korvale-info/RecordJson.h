#pragma once

#include "GameRecord.h"

#include <string>

// One JSON Lines record for a loaded file: the path as given and every field of its first chapter.
std::string RecordJsonLine(const std::string& file, const Mgx::GameRecord& record);

// One JSON Lines record for a file that could not be loaded.
std::string ErrorJsonLine(const std::string& file, const std::string& error);
