#pragma once

#include "GameSettings.h"
#include "ProcessRunner.h"

#include <QString>

// The two installed versions of the game a record can be watched in.
enum class GameVersion { V10a, V10c };

// The version that wrote a record, from its first chapter's logVersion: 3 is 1.0a, every other
// value 1.0c.
GameVersion GameVersionOfLog(int logVersion);

// The executable the settings name for a version (empty when not set).
QString GameExecutable(const GameSettings& settings, GameVersion version);

// Whether the file starts with the "MZ" signature of a Windows executable.
bool IsWindowsExecutable(const QString& path);

// The command that starts the game: the executable itself with no arguments, or, for a Windows
// executable on another system, wine with the executable. The game runs in the install folder,
// or in the executable's own folder when the install was not detected.
ProcessCommand GameLaunchCommand(const QString& executable, const QString& installFolder, bool windowsExecutable,
                                 bool hostIsWindows);

// What became of a request to start the game.
struct LaunchResult {
    enum class Outcome { Started, NoExecutable, Missing, StartFailed };

    Outcome outcome = Outcome::Started;
    // For the status bar: empty when started, or when the caller has already told the user.
    QString statusText;
};

// Starts the executable through `runner` without waiting for it. An empty path starts nothing and
// gives NoExecutable, which the caller reports with its own message.
LaunchResult StartGame(const QString& executable, const QString& installFolder, ProcessRunner& runner);
