#pragma once

#include <QString>

// The three settings of config.ini and the install folder found for the game. Paths are native
// (on Linux, the executables may be Windows paths mapped into a Wine prefix).
struct GameSettings {
    QString SaveGameFolder;
    QString GameExe10a;
    QString GameExe10c;
    QString GameInstallPath; // empty unless the install was detected

    bool operator==(const GameSettings&) const = default;
};
