#include "ArchiveLocation.h"

#include "ListEntryText.h"

#include <QDir>
#include <QFileInfo>

QString ArchiveLocation::ListingPath() const
{
    return innerFolder.isEmpty() ? archivePath : archivePath + QDir::separator() + QDir::toNativeSeparators(innerFolder);
}

QString ArchiveLocation::EntryName(const QString& name) const
{
    return innerFolder.isEmpty() ? name : innerFolder + QLatin1Char('/') + name;
}

std::optional<ArchiveLocation> LocateArchive(const QString& path)
{
    const QString cleaned = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (!QDir::isAbsolutePath(cleaned))
        return std::nullopt;
    const QStringList parts = cleaned.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString prefix;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        prefix += QLatin1Char('/') + parts[i];
        const QFileInfo info(prefix);
        if (info.isDir())
            continue;
        if (!info.isFile())
            return std::nullopt;
        const MgxItemKind kind = ClassifyEntry(false, parts[i]);
        if (kind != MgxItemKind::Zip && kind != MgxItemKind::Rar)
            return std::nullopt;
        return ArchiveLocation{QDir::toNativeSeparators(prefix), parts.mid(i + 1).join(QLatin1Char('/'))};
    }
    return std::nullopt;
}
