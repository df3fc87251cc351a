#pragma once

#include <QString>
#include <QStringList>

// Where the files installed with the program (the theme, the help) are found: beside the
// program first, then in the data folders. Never the working folder, which the pickers change.
namespace AppFolders {

// The candidate paths for `relativePath`, in search order.
QStringList Candidates(const QString& programFolder, const QStringList& dataFolders, const QString& relativePath);
// The first existing candidate, or empty.
QString Locate(const QString& relativePath);

inline const QString skinFile = QStringLiteral("spring.ssk");
inline const QString helpFile = QStringLiteral("help/Korvale.html");

} // namespace AppFolders
