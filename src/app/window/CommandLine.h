#pragma once

#include <QString>
#include <QStringList>

// What the program's arguments ask for. A record file lists its folder and shows the record
// (so a file manager can open records with Korvale); a folder is listed; anything else, or
// nothing, leaves the usual start: the SaveGame folder.
struct StartRequest {
    enum class Kind { SaveGameFolder, Folder, Record };

    Kind kind = Kind::SaveGameFolder;
    QString folder; // absolute, for Folder and Record
    QString record; // absolute, for Record

    bool operator==(const StartRequest&) const = default;
};

// `arguments` without the program name; relative paths are taken from `workingFolder`.
StartRequest InterpretCommandLine(const QStringList& arguments, const QString& workingFolder);
