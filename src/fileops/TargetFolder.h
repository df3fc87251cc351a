#pragma once

#include "PosixFiles.h"

#include <QString>
#include <QStringList>

// The folder an archive is extracted into. Subfolders are reached one part at a time below it,
// so no entry name and no symbolic link already in the folder can lead a write outside it.
class TargetFolder {
public:
    enum class Outcome { Opened, Refused, Failed };

    explicit TargetFolder(const QString& path);

    bool IsOpen() const { return m_folder.IsValid(); }
    const QString& Path() const { return m_path; }
    int Fd() const { return m_folder.Get(); }

    // Opens the subfolder named by parts, creating every missing level when create is set.
    // Refused when a part is a symbolic link that leads outside this folder or is not a folder.
    Outcome OpenSubfolder(const QStringList& parts, bool create, PosixFiles::UniqueFd& folder) const;

private:
    bool LinkStaysInside(const QStringList& parts, qsizetype count) const;

    QString m_path;
    QString m_canonicalPath;
    PosixFiles::UniqueFd m_folder;
};
