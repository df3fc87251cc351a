#include "RecordPlayback.h"

#include "ChapterInfo.h"
#include "RecordError.h"
#include "RecordFormat.h"
#include "VersionWording.h"

namespace {

// The first HD releases (save versions 11.97 and 12.10) name no release of their own.
QString HdRelease(const Mgx::ChapterInfo& chapter, const Mgx::RecordFormat& format)
{
    if (!format.IsLateHd())
        return {};
    return QString::fromUtf8(VersionWording(chapter.logVersion, format.family, chapter.settingsVersion));
}

QString DefinitiveRelease(const Mgx::UnsupportedFormatError& refusal)
{
    if (refusal.DefinitiveVersion() > 0)
        return QStringLiteral("版本 ")
            + QString::fromStdString(Mgx::UnsupportedFormatError::ReleaseText(refusal.DefinitiveVersion()));
    return QStringLiteral("保存版本 ")
        + QString::fromStdString(Mgx::UnsupportedFormatError::SaveVersionText(refusal.SaveVersion()));
}

QString InParentheses(const QString& release)
{
    return release.isEmpty() ? QString() : QStringLiteral("（") + release + QStringLiteral("）");
}

} // namespace

RecordPlayback PlaybackOfChapter(const Mgx::ChapterInfo& chapter)
{
    const Mgx::RecordFormat format = Mgx::ChapterFormat(chapter.versionText, chapter.saveVersion);
    if (format.IsHd())
        return {RecordPlayback::Game::HdEdition, GameVersion::V10c, HdRelease(chapter, format)};
    return {RecordPlayback::Game::Conquerors, GameVersionOfLog(chapter.logVersion), {}};
}

RecordPlayback PlaybackOfRefusal(const Mgx::UnsupportedFormatError& refusal)
{
    switch (refusal.Kind()) {
    case Mgx::UnsupportedFormatKind::DefinitiveEdition:
        return {RecordPlayback::Game::DefinitiveEdition, GameVersion::V10c, DefinitiveRelease(refusal)};
    case Mgx::UnsupportedFormatKind::HdWithSettingsBlock:
    case Mgx::UnsupportedFormatKind::OtherHdRelease:
        return {RecordPlayback::Game::HdEdition, GameVersion::V10c, {}};
    case Mgx::UnsupportedFormatKind::AgeOfKings:
        return {RecordPlayback::Game::AgeOfKings, GameVersion::V10c, {}};
    case Mgx::UnsupportedFormatKind::HdSavedGame:
        return {RecordPlayback::Game::HdSavedGame, GameVersion::V10c, {}};
    case Mgx::UnsupportedFormatKind::Mod:
    case Mgx::UnsupportedFormatKind::LaterUserPatch:
        break;
    }
    return {RecordPlayback::Game::Unknown, GameVersion::V10c, {}};
}

QString PlaybackMessage(const RecordPlayback& playback)
{
    const QString notConquerors = QStringLiteral("播放，无法用征服者 1.0c 打开。");
    switch (playback.game) {
    case RecordPlayback::Game::HdEdition:
        return QStringLiteral("此录像需用《帝国时代II 高清版》") + InParentheses(playback.release) + notConquerors;
    case RecordPlayback::Game::DefinitiveEdition:
        return QStringLiteral("此录像需用《帝国时代II 决定版》") + InParentheses(playback.release) + notConquerors;
    case RecordPlayback::Game::AgeOfKings:
        return QStringLiteral("此录像需用《帝国时代II 帝王时代》") + notConquerors;
    case RecordPlayback::Game::HdSavedGame:
        return QStringLiteral("此文件是《帝国时代II 高清版》的存档，不是录像，需在高清版中读取，无法用征服者 1.0c 打开。");
    case RecordPlayback::Game::Conquerors:
    case RecordPlayback::Game::Unknown:
        break;
    }
    return {};
}
