#include "LaunchCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kWine = QStringLiteral("wine");

QString StatusText(LaunchResult::Outcome outcome, const QString& executable, bool throughWine)
{
    const QString path = QDir::toNativeSeparators(executable);
    switch (outcome) {
    case LaunchResult::Outcome::Missing:
        return QStringLiteral("找不到帝国时代程序：") + path;
    case LaunchResult::Outcome::StartFailed:
        return (throughWine ? QStringLiteral("无法通过wine启动帝国时代程序：") : QStringLiteral("无法启动帝国时代程序："))
            + path;
    case LaunchResult::Outcome::Started:
    case LaunchResult::Outcome::NoExecutable:
        break;
    }
    return {};
}

bool HostIsWindows()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

} // namespace

GameVersion GameVersionOfLog(int logVersion) { return logVersion == 3 ? GameVersion::V10a : GameVersion::V10c; }

QString GameExecutable(const GameSettings& settings, GameVersion version)
{
    return version == GameVersion::V10a ? settings.GameExe10a : settings.GameExe10c;
}

bool IsWindowsExecutable(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
}

ProcessCommand GameLaunchCommand(const QString& executable, const QString& installFolder, bool windowsExecutable,
                                 bool hostIsWindows)
{
    // With no install folder the game would otherwise start in Korvale's own folder and miss its
    // data files, which it looks for beside itself.
    const QString folder = installFolder.isEmpty() ? QFileInfo(executable).absolutePath() : installFolder;
    if (windowsExecutable && !hostIsWindows)
        return {kWine, {executable}, folder};
    return {executable, {}, folder};
}

LaunchResult StartGame(const QString& executable, const QString& installFolder, ProcessRunner& runner)
{
    using Outcome = LaunchResult::Outcome;
    if (executable.isEmpty())
        return {Outcome::NoExecutable, {}};
    // Through wine a missing file would still start wine, which then fails where nobody sees it.
    if (!QFileInfo(executable).isFile())
        return {Outcome::Missing, StatusText(Outcome::Missing, executable, false)};
    const bool windowsExecutable = IsWindowsExecutable(executable);
    const bool throughWine = windowsExecutable && !HostIsWindows();
    const ProcessCommand command = GameLaunchCommand(executable, installFolder, windowsExecutable, HostIsWindows());
    if (!runner.StartDetached(command))
        return {Outcome::StartFailed, StatusText(Outcome::StartFailed, executable, throughWine)};
    return {Outcome::Started, {}};
}
