#include "AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppFolders {

QStringList Candidates(const QString& programFolder, const QStringList& dataFolders, const QString& relativePath)
{
    QStringList candidates;
    const auto add = [&](const QString& path) {
        const QString clean = QDir::cleanPath(path);
        if (!candidates.contains(clean))
            candidates << clean;
    };
    if (!programFolder.isEmpty()) {
        add(programFolder + QLatin1Char('/') + relativePath);
        // An installed tree: bin/korvale beside share/korvale.
        add(programFolder + QStringLiteral("/../share/korvale/") + relativePath);
    }
    for (const QString& folder : dataFolders)
        add(folder + QStringLiteral("/korvale/") + relativePath);
    return candidates;
}

QString Locate(const QString& relativePath)
{
    const QString programFolder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    const QStringList dataFolders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& candidate : Candidates(programFolder, dataFolders, relativePath)) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

} // namespace AppFolders
