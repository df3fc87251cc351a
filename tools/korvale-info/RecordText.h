#pragma once

#include "GameRecord.h"

#include <string>

// What text mode prints for one loaded file, each line ending in a line break (UTF-8): the panel's
// text, or for a record whose first field is 0 its status and how to repair it.
std::string RecordText(const std::string& file, const Mgx::GameRecord& record);

// A path as one word for a POSIX shell, to paste into a suggested command.
std::string ShellWord(const std::string& text);
