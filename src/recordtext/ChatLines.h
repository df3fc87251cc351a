#pragma once

#include "GameRecord.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The line that parts the chat before the game from the chat during it.
QString GameStartSeparator();

// A chat line written before the game: the converted text without its three-character sender prefix.
QString PregameChatLine(const QString& text);

// A line met during the game, stamped with its game time; nothing for the game's own notices,
// whose text carries "--" right after the prefix.
std::optional<QString> IngameChatLine(std::int32_t time, const QString& text);

// Every line of the chat list, chapter after chapter: pre-game chat, an empty line, the
// separator, then the in-game lines. A player's resignation is listed once (the first), and an
// age-up the record repeats for the same player and age within one second once; the record
// itself keeps every copy.
QStringList ChatListLines(const Mgx::GameRecord& record);
