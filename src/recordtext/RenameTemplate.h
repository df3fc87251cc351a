#pragma once

#include "GameRecord.h"

#include <QDateTime>
#include <QString>

// The values a rename template can put into a record's new name. Record fields are empty when
// the record could not be read; hasRecord says which.
struct RenameFields {
    QString date;     // {日期}: the file's time, 2026-12-08_2130
    QString map;      // {地图}
    QString players;  // {玩家}: "A, B vs C, D", one group per team
    QString version;  // {版本}: 1.0a, 1.0c, UserPatch 1.2, HD or 其他
    QString duration; // {时长}: 00-38-12
    QString recorder; // {录制者}
    QString original; // {原名}: the old name without its extension
    bool hasRecord = false;
};

// What one template gives for one record: the new name with the old extension, and whether it
// used a field only a readable record has.
struct ExpandedName {
    QString name;
    bool usesRecord = false;
};

// The fields of a record file called `fileName`, last written at `fileTime`; `record` may be
// null (not readable) or hold no chapter.
RenameFields RenameFieldsOf(const Mgx::GameRecord* record, const QString& fileName, const QDateTime& fileTime);

// The players of a chapter grouped by team, in slot order: "A, B vs C, D". Players without a
// team each stand alone.
QString PlayersByTeam(const Mgx::ChapterInfo& chapter);

// Replaces every known {field} of the template; unknown braces stay as typed. The extension of
// the old name (".mgx" or ".mgz" in any case) is appended.
ExpandedName ExpandRenameTemplate(const QString& pattern, const RenameFields& fields, const QString& oldName);
