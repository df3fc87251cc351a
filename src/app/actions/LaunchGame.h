#pragma once

#include "LaunchCommand.h"
#include "GameSettings.h"

class ProcessRunner;
class UserPrompt;

// Starts the executable the settings name for `version`. With no executable set, tells the user
// so in a box; a start that fails returns the text for the status bar.
LaunchResult LaunchGame(GameVersion version, const GameSettings& settings, UserPrompt& prompt, ProcessRunner& runner);
