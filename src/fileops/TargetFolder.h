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

    bool isOpen() const { return m_folder.isValid(); }
    const QString& path() const { return m_path; }
    int fd() const { return m_folder.get(); }

    // Opens the subfolder named by parts, creating every missing level when create is set.
    // Refused when a part is a symbolic link that leads outside this folder or is not a folder.
    Outcome openSubfolder(const QStringList& parts, bool create, PosixFiles::UniqueFd& folder) const;

private:
    bool linkStaysInside(const QStringList& parts, qsizetype count) const;

    QString m_path;
    QString m_canonicalPath;
    PosixFiles::UniqueFd m_folder;
};
