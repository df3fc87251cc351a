#include "InfoText.h"

#include "DecodeGbk.h"
#include "NameTables.h"
#include "RecordFormat.h"
#include "VersionWording.h"

#include <algorithm>
#include <array>

namespace {

constexpr const char* DifficultyTexts[] = {"极难", "难", "中等", "标准", "最易"};
constexpr const char* VictoryTexts[] = {"标准", "征服", "时限", "得分", "探索", "圣物"};
const NameTable DifficultyNames(0, DifficultyTexts);
const NameTable VictoryNames(0, VictoryTexts);

// The lobby offers limits in steps of 25; later UserPatch releases go up to 1000.
constexpr std::int32_t PopulationStep = 25;
constexpr std::int32_t HighestPopulationLimit = 1000;

// Map id that stands for a map the players made themselves.
constexpr std::int32_t CustomMapId = 44;

QString OtherText() { return QStringLiteral("其他"); }

QString FromWording(std::string_view wording)
{
    return QString::fromUtf8(wording.data(), static_cast<qsizetype>(wording.size()));
}

bool IsScenarioType(int gameType) { return gameType == 3 || gameType == 4; }

} // namespace

InfoLabels InfoLabels::Captions()
{
    InfoLabels labels;
    labels.gameType = QStringLiteral("游戏类型：");
    labels.map = QStringLiteral("地图：");
    labels.mapType = QStringLiteral("地图类型：");
    labels.mapSize = QStringLiteral("地图大小：");
    labels.speed = QStringLiteral("游戏速度：");
    labels.difficulty = QStringLiteral("难度：");
    labels.population = QStringLiteral("人口上限：");
    labels.victory = QStringLiteral("胜利条件：");
    labels.duration = QStringLiteral("时长：");
    labels.version = QStringLiteral("版本：");
    labels.objectives = QStringLiteral("游戏目标");
    return labels;
}

QString FormatGameTime(std::uint32_t milliseconds)
{
    const std::uint32_t hours = milliseconds / 3600000u;
    const std::uint32_t minutes = milliseconds % 3600000u / 60000u;
    const std::uint32_t seconds = milliseconds % 60000u / 1000u;
    return QString::asprintf("%02u:%02u:%02u", hours, minutes, seconds);
}

QString GameTypeLabel(int gameType)
{
    return InfoLabels::Captions().gameType + GameTypeNames.NameOr(gameType, UnknownText());
}

MapChoice ChooseMap(int gameType, std::int32_t mapId, const Mgx::GbkText& scenarioFileName, std::uint16_t codePage)
{
    const QString caption = InfoLabels::Captions().map;
    if (!GameTypeNames.Contains(gameType))
        return {caption, 0};
    if (IsScenarioType(gameType))
        return {caption + DecodeRecordText(scenarioFileName, codePage), 0};
    const int mapType = RealWorldMapNames.Contains(mapId) ? 2 : StandardMapNames.Contains(mapId) ? 1 : 0;
    return {caption + MapNameText(mapId), mapType};
}

QString MapNameText(std::int32_t mapId)
{
    if (mapId == CustomMapId)
        return MapTypeNames[0];
    if (RealWorldMapNames.Contains(mapId))
        return RealWorldMapNames[mapId];
    if (StandardMapNames.Contains(mapId))
        return StandardMapNames[mapId];
    return UnknownText();
}

MapChoice ChooseMap(const Mgx::ChapterInfo& chapter)
{
    MapChoice map = ChooseMap(chapter.gameType, chapter.mapId, chapter.scenarioFileName, chapter.codePage);
    // Later HD releases name maps the tables do not know, custom ones among them.
    const bool named = !chapter.mapName.empty() && !IsScenarioType(chapter.gameType) && map.mapType == 0;
    if (named)
        map.label = InfoLabels::Captions().map + DecodeRecordText(chapter.mapName, chapter.codePage);
    return map;
}

QString MapTypeLabel(int mapType) { return InfoLabels::Captions().mapType + MapTypeNames.NameOr(mapType, UnknownText()); }

QString VersionName(std::int32_t logVersion)
{
    return FromWording(VersionWording(logVersion, Mgx::RecordFormat::Conquerors));
}

QString VersionLabel(std::int32_t logVersion)
{
    return InfoLabels::Captions().version + VersionName(logVersion);
}

QString VersionName(const Mgx::ChapterInfo& chapter)
{
    const Mgx::RecordFormat format = Mgx::ChapterFormat(chapter.versionText, chapter.saveVersion);
    return FromWording(VersionWording(chapter.logVersion, format.family, chapter.settingsVersion));
}

QString VersionLabel(const Mgx::ChapterInfo& chapter)
{
    return InfoLabels::Captions().version + VersionName(chapter);
}

QString MapSizeLabel(std::uint32_t width, std::uint32_t height)
{
    return InfoLabels::Captions().mapSize + QString::asprintf("%ux%u", width, height);
}

QString SpeedLabel(std::int32_t gameSpeed)
{
    QString name;
    switch (gameSpeed) {
    case 100:
        name = QStringLiteral("慢速");
        break;
    case 150:
    case 178: // UserPatch 1.5's normal speed
        name = QStringLiteral("标准");
        break;
    case 200:
    case 237: // and its fast speed
        name = QStringLiteral("快速");
        break;
    default:
        name = UnknownText();
    }
    return InfoLabels::Captions().speed + name;
}

QString DifficultyLabel(std::int32_t difficulty)
{
    return InfoLabels::Captions().difficulty + DifficultyNames.NameOr(difficulty, UnknownText());
}

QString VictoryLabel(std::int32_t victoryType)
{
    return InfoLabels::Captions().victory + VictoryNames.NameOr(victoryType, UnknownText());
}

QString PopulationLabel(std::int32_t populationLimit)
{
    const bool listed = populationLimit >= PopulationStep && populationLimit <= HighestPopulationLimit
        && populationLimit % PopulationStep == 0;
    return InfoLabels::Captions().population + (listed ? QString::number(populationLimit) : OtherText());
}

QString DurationLabel(std::uint32_t totalMilliseconds)
{
    return InfoLabels::Captions().duration + FormatGameTime(totalMilliseconds);
}

QString DurationLabel(const Mgx::GameRecord& record)
{
    QString label = DurationLabel(TotalGameTime(record));
    const Mgx::ChapterInfo& first = record.chapters.front();
    if (first.restoreTime != 0)
        label += QStringLiteral("（中途开始）"); // the label is narrow: the panel has room for little more
    if (std::ranges::any_of(record.chapters, &Mgx::ChapterInfo::bodyDamaged))
        label += QStringLiteral("（已损坏）");
    else if (std::ranges::any_of(record.chapters, &Mgx::ChapterInfo::truncated))
        label += QStringLiteral("（录像不完整）"); // the duration is only as far as the record goes
    return label;
}

QString ObjectivesText(const std::string& fileName, const Mgx::GbkText& instructions, std::uint16_t codePage)
{
    // Only the text up to the first NUL shows: UserPatch 1.5 keeps the map seed and script after it.
    QString text = DecodeRecordText(instructions, codePage);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return QString::fromStdString(fileName) + QStringLiteral("\r\n\r\n") + text;
}

std::uint32_t TotalGameTime(const Mgx::GameRecord& record)
{
    // A restored game's recording starts at its restore time: the game lasted that much longer.
    std::uint32_t total = record.chapters.empty() ? 0 : static_cast<std::uint32_t>(record.chapters.front().restoreTime);
    for (const Mgx::ChapterInfo& chapter : record.chapters)
        total += static_cast<std::uint32_t>(chapter.gameTime);
    return total;
}

InfoLabels ComposeInfoLabels(const Mgx::GameRecord& record)
{
    const Mgx::ChapterInfo& chapter = record.chapters.front();
    const MapChoice map = ChooseMap(chapter);
    InfoLabels labels;
    labels.gameType = GameTypeLabel(chapter.gameType);
    labels.map = map.label;
    labels.mapType = MapTypeLabel(map.mapType);
    labels.version = VersionLabel(chapter);
    labels.objectives = ObjectivesText(record.fileName, chapter.instructions, chapter.codePage);
    labels.mapSize = MapSizeLabel(chapter.mapWidth, chapter.mapHeight);
    labels.speed = SpeedLabel(chapter.gameSpeed);
    labels.difficulty = DifficultyLabel(chapter.difficulty);
    labels.victory = VictoryLabel(chapter.victoryType);
    labels.population = PopulationLabel(
        Mgx::EffectivePopulationLimit(Mgx::ChapterFormat(chapter.versionText, chapter.saveVersion), chapter.populationLimit));
    labels.duration = DurationLabel(record);
    return labels;
}
