#pragma once

#include "GameRecord.h"

#include <QString>

#include <cstdint>
#include <string>

// The texts of the panel's settings labels, objectives box, duration and version.
struct InfoLabels {
    QString gameType;
    QString map;
    QString mapType;
    QString mapSize;
    QString speed;
    QString difficulty;
    QString population;
    QString victory;
    QString duration;
    QString version;
    QString objectives;

    // What every element shows before a record is shown: its caption alone.
    static InfoLabels Captions();
};

// The map label and the map type it implies (0 custom, 1 standard, 2 real world).
struct MapChoice {
    QString label;
    int mapType = 0;
};

// Hours, minutes and seconds of a millisecond count; hours do not wrap.
QString FormatGameTime(std::uint32_t milliseconds);

QString GameTypeLabel(int gameType);
MapChoice ChooseMap(int gameType, std::int32_t mapId, const Mgx::GbkText& scenarioFileName, std::uint16_t codePage = 936);
// The same for a chapter, where a later HD release's own map name stands in for a map the tables do not know.
MapChoice ChooseMap(const Mgx::ChapterInfo& chapter);
// The name of a map by its id, as the panel shows it: "定制" for a custom map, "未知" for an id
// no table knows. The list's 地图 column and the search use it too, so all three say one word.
QString MapNameText(std::int32_t mapId);
QString MapTypeLabel(int mapType);
QString VersionLabel(std::int32_t logVersion);
// The version of a read chapter: "UserPatch 1.2", "UserPatch 1.4", "UserPatch 1.5" and "HD" come
// from its header, the rest from logVersion.
QString VersionLabel(const Mgx::ChapterInfo& chapter);
// The version alone, without its caption: "1.0a", "1.0c", "UserPatch 1.2", "UserPatch 1.4",
// "UserPatch 1.5", "HD" or "其他".
QString VersionName(std::int32_t logVersion);
QString VersionName(const Mgx::ChapterInfo& chapter);
QString MapSizeLabel(std::uint32_t width, std::uint32_t height);
QString SpeedLabel(std::int32_t gameSpeed);
QString DifficultyLabel(std::int32_t difficulty);
QString VictoryLabel(std::int32_t victoryType);
QString PopulationLabel(std::int32_t populationLimit);
QString DurationLabel(std::uint32_t totalMilliseconds);
// The record's whole length, with a note when the recording starts in the middle of a restored game
// or its body is damaged. The record must have a chapter.
QString DurationLabel(const Mgx::GameRecord& record);

// The file name, an empty line, then the instructions with every LF widened to CR LF.
QString ObjectivesText(const std::string& fileName, const Mgx::GbkText& instructions, std::uint16_t codePage = 936);

// The game time of all chapters together, from the restore time of a restored game on; it wraps
// like the 32-bit count it is shown from.
std::uint32_t TotalGameTime(const Mgx::GameRecord& record);

// Settings of the first chapter, the duration over all chapters. The record must have a chapter.
InfoLabels ComposeInfoLabels(const Mgx::GameRecord& record);
