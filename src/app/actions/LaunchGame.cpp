#include "LaunchGame.h"

#include "ProcessRunner.h"
#include "UserPrompt.h"

LaunchResult LaunchGame(GameVersion version, const GameSettings& settings, UserPrompt& prompt, ProcessRunner& runner)
{
    const LaunchResult result = StartGame(GameExecutable(settings, version), settings.GameInstallPath, runner);
    if (result.outcome == LaunchResult::Outcome::NoExecutable)
        prompt.ShowMessage(UserPrompt::MessageKind::Warning,
                           QStringLiteral("未设置此版本的帝国游戏路径，帝国时代程序无法启动！"), QStringLiteral("提示"));
    return result;
}
