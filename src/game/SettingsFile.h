#pragma once

#include "GameSettings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// config.ini: the three settings as UTF-16LE text, each line ended by CR LF, no byte-order mark,
// read and written in exactly that form so an existing file keeps its bytes.

// The three lines of the file's bytes. The text ends at its first NUL; a line whose CR LF is
// missing is empty, and so is every line after it; anything after the third CR LF is ignored.
// A UTF-16LE byte-order mark (what Windows editors write) is skipped; a file that starts with the
// UTF-8 one is read as UTF-8 text with the same lines.
GameSettings ParseConfigIni(QByteArrayView bytes);

// The bytes of a file holding the three settings.
QByteArray ComposeConfigIni(const GameSettings& settings);

// Where config.ini is: in the folder the program started in when there is one there, otherwise
// in the per-user configuration folder.
QString ConfigIniLocation(const QString& startFolder, bool presentInStartFolder, const QString& appConfigFolder);

// The location for this run. The first call fixes it from the current folder, so call it at
// start-up before anything changes that folder.
QString ConfigIniPathForThisRun();

// The settings in the file, or nothing when it cannot be opened or read or is no regular file
// (a FIFO of that name would block the start for ever).
std::optional<GameSettings> LoadConfigIni(const QString& path);

// Writes the three settings, creating the folder when needed. The file is replaced in one step,
// so a failure leaves the previous file as it was. False when it could not be written; error then
// receives why, in the system's words.
bool SaveConfigIni(const QString& path, const GameSettings& settings, QString* error = nullptr);

// The settings the program starts with: the file's, or, only when it cannot be read, those
// derived from the game's installation by `detectInstall`.
GameSettings LoadStartupSettings(const QString& configPath, GameSettings (*detectInstall)());
GameSettings LoadStartupSettings(const QString& configPath);

// The SaveGame folder for a folder chosen in the picker: a drive root loses its one trailing
// backslash ("C:\" is kept as "C:"); other folders, and the Linux root "/", stand unchanged.
QString SaveGameFolderFromPick(const QString& chosenFolder);
