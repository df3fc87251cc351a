#include "SettingsCheck.h"

#include <QDir>
#include <QFileInfo>

namespace SettingsCheck {

namespace {

QString Missing(const QString& what, const QString& path)
{
    return what + QStringLiteral("不存在：") + QDir::toNativeSeparators(path);
}

} // namespace

QString FirstProblem(const GameSettings& settings)
{
    if (!settings.SaveGameFolder.isEmpty() && !QFileInfo(settings.SaveGameFolder).isDir())
        return Missing(QStringLiteral("SaveGame目录"), settings.SaveGameFolder);
    if (!settings.GameExe10a.isEmpty() && !QFileInfo(settings.GameExe10a).isFile())
        return Missing(QStringLiteral("1.0A版帝国exe文件"), settings.GameExe10a);
    if (!settings.GameExe10c.isEmpty() && !QFileInfo(settings.GameExe10c).isFile())
        return Missing(QStringLiteral("1.0C版帝国exe文件"), settings.GameExe10c);
    return {};
}

QString SaveGameFolderProblem(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return QStringLiteral("尚未设置SaveGame目录，请在“设置 → 选项”中设置。");
    if (!QFileInfo(folder).isDir())
        return Missing(QStringLiteral("SaveGame目录"), folder) + QStringLiteral("\n请在“设置 → 选项”中重新设置。");
    return {};
}

} // namespace SettingsCheck
