#pragma once

#include "GameSettings.h"
#include "SystemReg.h"

#include <QString>

#include <optional>

// The game's own record of where it is installed: the value "EXE Path" under this key of the
// machine-wide registry (on a 64-bit system also under Wow6432Node), the install folder without a
// trailing backslash.
namespace GameInstallKey {
inline const QString path = QStringLiteral(
    "Software\\Microsoft\\Microsoft Games\\Age of Empires II: The Conquerors Expansion\\1.0");
inline const QString path32 = QStringLiteral(
    "Software\\Wow6432Node\\Microsoft\\Microsoft Games\\Age of Empires II: The Conquerors Expansion\\1.0");
inline const QString valueName = QStringLiteral("EXE Path");
// The game reads the value into a buffer of this many bytes.
constexpr int maxValueBytes = 260;
} // namespace GameInstallKey

// The install folder held by a registry value: a string, or a multi-string ending in two
// terminators, that fits the game's buffer and ends with its terminator; its text up to the first
// NUL. Nothing for any other type, for a longer value and for an empty folder.
std::optional<QString> InstallFolderFromValue(const RegistryValue& value);

// The four settings for an install folder, as Windows paths: the folder, "age2_x1.exe" in it,
// "age2_x1\age2_x1.exe" in it and its "SaveGame" folder.
GameSettings SettingsForInstallFolder(const QString& installFolder);

// The Wine prefix the game is looked for in: $WINEPREFIX, else ~/.wine.
QString WinePrefixFolder(const QString& winePrefixVariable, const QString& homeFolder);

// A Windows path ("D:\Games\AOE2") as a path inside a Wine prefix: the drive through the prefix's
// dosdevices link, or drive_c for C:, then each part matched without regard to case as Wine does.
// Nothing for a path without a drive letter or a drive the prefix does not have.
std::optional<QString> MapDosPath(const QString& prefixFolder, const QString& dosPath);

// The settings derived from the install recorded in a Wine prefix's system.reg, as paths inside
// the prefix; empty settings when the prefix holds no usable record.
GameSettings DetectGameInstallInPrefix(const QString& prefixFolder);

// The settings derived from the game's installation on this machine (the registry on Windows,
// the Wine prefix elsewhere); empty settings when it is not found.
GameSettings DetectGameInstall();
