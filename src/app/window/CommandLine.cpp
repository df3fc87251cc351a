#include "CommandLine.h"

#include "ListEntryText.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

QString AbsoluteArgument(const QString& argument, const QString& workingFolder)
{
    // Some launchers hand over a file URL instead of a path.
    const QUrl url(argument);
    const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
    return QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path));
}

} // namespace

StartRequest InterpretCommandLine(const QStringList& arguments, const QString& workingFolder)
{
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-')))
            continue;
        const QFileInfo target(AbsoluteArgument(argument, workingFolder));
        if (target.isDir())
            return {StartRequest::Kind::Folder, target.absoluteFilePath(), {}};
        if (target.isFile() && ClassifyEntry(false, target.fileName()) == MgxItemKind::Record)
            return {StartRequest::Kind::Record, target.absolutePath(), target.absoluteFilePath()};
        break;
    }
    return {};
}
