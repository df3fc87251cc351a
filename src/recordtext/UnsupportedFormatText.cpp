#include "UnsupportedFormatText.h"

namespace {

QString WhatTheFileIs(const Mgx::UnsupportedFormatError& error)
{
    const QString version = QString::fromLatin1(error.VersionText());
    const QString save = QString::fromStdString(Mgx::UnsupportedFormatError::SaveVersionText(error.SaveVersion()));
    switch (error.Kind()) {
    case Mgx::UnsupportedFormatKind::DefinitiveEdition:
        if (error.DefinitiveVersion() > 0)
            return QStringLiteral("决定版（版本 %1）")
                .arg(QString::fromStdString(Mgx::UnsupportedFormatError::ReleaseText(error.DefinitiveVersion())));
        return QStringLiteral("决定版（保存版本 %1）").arg(save);
    case Mgx::UnsupportedFormatKind::HdWithSettingsBlock:
    case Mgx::UnsupportedFormatKind::OtherHdRelease:
        return QStringLiteral("更新版本的游戏（保存版本 %1）").arg(save);
    case Mgx::UnsupportedFormatKind::AgeOfKings:
        return QStringLiteral("帝王时代（%1）").arg(version);
    case Mgx::UnsupportedFormatKind::Mod:
        return QStringLiteral("游戏模组（%1）").arg(version);
    case Mgx::UnsupportedFormatKind::LaterUserPatch:
        return QStringLiteral("UserPatch 1.3 或更高版本（%1）").arg(version);
    case Mgx::UnsupportedFormatKind::HdSavedGame:
        break; // not a record at all: said in full below
    }
    return QStringLiteral("未知版本（%1）").arg(version);
}

} // namespace

QString UnsupportedFormatText(const Mgx::UnsupportedFormatError& error)
{
    if (error.Kind() == Mgx::UnsupportedFormatKind::HdSavedGame)
        return QStringLiteral("这是存档，不是录像");
    return QStringLiteral("此录像来自") + WhatTheFileIs(error) + QStringLiteral("，暂不支持");
}
