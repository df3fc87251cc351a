#pragma once

#include "LaunchCommand.h"

#include <QString>

namespace Mgx {
struct ChapterInfo;
class UnsupportedFormatError;
} // namespace Mgx

// Which game plays a record back, as far as its header tells: The Conquerors starts with it, any
// other game is named to the player instead.
struct RecordPlayback {
    enum class Game {
        Conquerors,        // 1.0a or 1.0c, with or without UserPatch
        HdEdition,         // every HD Edition release
        DefinitiveEdition,
        AgeOfKings,        // .mgl
        HdSavedGame,       // .msx: a saved game, not a record
        Unknown,           // refused for another reason (a mod, a later UserPatch): the load's message says it
    };

    Game game = Game::Conquerors;
    GameVersion version = GameVersion::V10c; // for The Conquerors
    // The release where the header names it ("HD 5.x", "63.0", "保存版本 12.97"); else empty.
    QString release;

    bool operator==(const RecordPlayback&) const = default;
};

// A record the reader read: its format family and version say which game wrote it.
RecordPlayback PlaybackOfChapter(const Mgx::ChapterInfo& chapter);
// A file the reader refused: what the refusal found the file to be.
RecordPlayback PlaybackOfRefusal(const Mgx::UnsupportedFormatError& refusal);

// The one sentence a double click shows instead of starting The Conquerors; empty for The
// Conquerors, which starts, and for Unknown, whose load message stands.
QString PlaybackMessage(const RecordPlayback& playback);
