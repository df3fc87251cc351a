#pragma once

#include "GameRecord.h"
#include "RecordPlayback.h"
#include "RecordReader.h"

#include <QString>

#include <memory>
#include <optional>

// What a click on a record file yields: the loaded record, or the message the user is shown.
struct RecordLoad {
    std::unique_ptr<Mgx::GameRecord> record;
    QString errorText; // empty when the record was loaded
    // The game that plays a file the reader refused as another game's (or as a saved game).
    std::optional<RecordPlayback> refusedPlayback;
};

// Loads the record file at `path` with `reader`, which keeps its memory from click to click.
// Never throws.
RecordLoad LoadRecordForList(Mgx::RecordReader& reader, const QString& path);

// Loads the record `entryName` of the archive at `archivePath` from memory; nothing is unpacked to
// disk. The record is said to lie at `listedPath`, the path the list shows for it. Never throws.
RecordLoad LoadArchiveRecordForList(Mgx::RecordReader& reader, const QString& archivePath, const QString& entryName,
                                    const QString& listedPath);

// The message for a load that ended with `error`: "无法打开文件！" when the file could not be
// opened, else the reader's own account of what failed.
QString RecordLoadErrorText(const std::exception& error);
