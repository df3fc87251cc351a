#pragma once

#include <string>

class UserPrompt;

// Repairs the record at path after backing it up beside it, then tells the user the outcome in
// an OK box without icon. It does not read the record again.
void RunRepair(const std::string& path, UserPrompt& prompt);
