#pragma once

#include "GameSettings.h"

#include <QString>

// Whether the settings name things that exist, in the words the player reads. An empty setting is
// "not set" and is no problem here: it is said where it is used.
namespace SettingsCheck {

// The first setting that names a folder or executable that does not exist; empty when none does.
QString FirstProblem(const GameSettings& settings);

// Why "切换到SaveGame" cannot list the folder (not set, or not there); empty when it can.
QString SaveGameFolderProblem(const QString& folder);

} // namespace SettingsCheck
