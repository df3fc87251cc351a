#pragma once

#include "GameRecord.h"
#include "RecordReader.h"

#include <QString>

#include <memory>

// What a click on a record file yields: the loaded record, or the message the user is shown.
struct RecordLoad {
    std::unique_ptr<Mgx::GameRecord> record;
    QString errorText; // empty when the record was loaded
};

// Loads the record file at `path` with `reader`, which keeps its memory from click to click.
// Never throws.
RecordLoad LoadRecordForList(Mgx::RecordReader& reader, const QString& path);

// The message for a load that ended with `error`: "无法打开文件！" when the file could not be
// opened, else the reader's own account of what failed.
QString RecordLoadErrorText(const std::exception& error);
