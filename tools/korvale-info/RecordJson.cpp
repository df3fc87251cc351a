#include "RecordJson.h"

#include "DecodeGbk.h"
#include "InfoText.h"
#include "JsonWriter.h"
#include "TextCodePage.h"
#include "UnsupportedFormatText.h"

#include <map>

namespace {

void WriteText(JsonWriter& json, const char* name, const Mgx::GbkText& text, std::uint16_t codePage)
{
    json.Key(name);
    if (text)
        json.Value(DecodeRecordText(*text, codePage)); // the first NUL ends the text
    else
        json.Null();
}

void WriteNumber(JsonWriter& json, const char* name, std::int64_t number)
{
    json.Key(name);
    json.Value(number);
}

void WriteVersion(JsonWriter& json, const std::string& versionText, float saveVersion)
{
    json.Key("versionText");
    json.Value(QString::fromLatin1(versionText)); // ASCII in every known format; a damaged one stays readable
    json.Key("saveVersion");
    json.FixedNumber(saveVersion, 2);
}

void WritePlayers(JsonWriter& json, const Mgx::ChapterInfo& chapter)
{
    json.Key("players");
    json.BeginArray();
    for (const Mgx::PlayerInfo& player : chapter.players) {
        if (!player.Filled()) {
            json.Null();
            continue;
        }
        json.BeginObject();
        WriteText(json, "name", player.name, Mgx::NameCodePage(chapter));
        WriteNumber(json, "civilization", player.civilization);
        WriteNumber(json, "colour", player.colour);
        WriteNumber(json, "kind", player.kind);
        json.EndObject();
    }
    json.EndArray();
}

void WriteSlots(JsonWriter& json, const Mgx::ChapterInfo& chapter)
{
    json.Key("slots");
    json.BeginArray();
    for (const Mgx::PlayerSlot& slot : chapter.slots) {
        json.BeginObject();
        WriteNumber(json, "playerNumber", slot.playerNumber);
        WriteNumber(json, "slotType", slot.slotType);
        WriteText(json, "name", slot.name, Mgx::NameCodePage(chapter));
        WriteNumber(json, "team", slot.team);
        json.EndObject();
    }
    json.EndArray();
}

void WriteChat(JsonWriter& json, const Mgx::ChapterInfo& chapter)
{
    json.Key("pregameChat");
    json.BeginArray();
    for (const Mgx::ChatBeforeGame& line : chapter.pregameChat)
        json.Value(DecodeRecordText(line.text, chapter.codePage));
    json.EndArray();

    json.Key("ingameChat");
    json.BeginArray();
    for (const Mgx::ChatInGame& line : chapter.ingameChat) {
        json.BeginObject();
        WriteNumber(json, "time", line.time);
        json.Key("text");
        json.Value(DecodeChatLine(line, chapter.codePage, Mgx::NameCodePage(chapter)));
        json.EndObject();
    }
    json.EndArray();
}

void WriteMarks(JsonWriter& json, const Mgx::ChapterInfo& chapter)
{
    std::map<int, std::int64_t> counts;
    for (const std::uint8_t mark : chapter.objectMarks)
        if (mark != 0)
            ++counts[mark];
    json.Key("objectMarks");
    json.BeginObject();
    for (const auto& [mark, count] : counts)
        WriteNumber(json, std::to_string(mark).c_str(), count);
    json.EndObject();
}

// Only the later HD releases carry these, so every other record's line stays as it was.
void WriteLateHd(JsonWriter& json, const Mgx::ChapterInfo& c)
{
    const Mgx::RecordFormat format = Mgx::ChapterFormat(c.versionText, c.saveVersion);
    if (!format.IsLateHd())
        return;
    json.Key("family");
    json.Value(QString::fromLatin1(format.HasHdSettingsBlock() ? "hdr" : "hdx"));
    json.Key("mapName");
    json.Value(DecodeRecordText(c.mapName, c.codePage));
    if (format.HasHdSettingsBlock())
        WriteNumber(json, "settingsVersion", c.settingsVersion);
    json.Key("teamsFromStances");
    json.Boolean(c.teamsFromStances);
}

void WriteChapter(JsonWriter& json, const Mgx::ChapterInfo& c)
{
    WriteNumber(json, "status", c.status);
    WriteNumber(json, "headerEnd", c.headerEnd);
    WriteNumber(json, "nextChapterPos", c.nextChapterPos);
    WriteNumber(json, "logVersion", c.logVersion);
    WriteVersion(json, c.versionText, c.saveVersion);
    WriteNumber(json, "gameType", c.gameType);
    WriteNumber(json, "mapId", c.mapId);
    WriteNumber(json, "difficulty", c.difficulty);
    WriteNumber(json, "playerCount", c.playerCount);
    WriteNumber(json, "populationLimit", c.populationLimit);
    WriteNumber(json, "revealSetting", c.revealSetting);
    WriteNumber(json, "victoryType", c.victoryType);
    WriteNumber(json, "victoryValue", c.victoryValue);
    WriteNumber(json, "lockFlag", c.lockFlag);
    WriteNumber(json, "gameSpeed", c.gameSpeed);
    WriteNumber(json, "recorderNumber", c.recorderNumber);
    WriteNumber(json, "mapWidth", c.mapWidth);
    WriteNumber(json, "mapHeight", c.mapHeight);
    WriteText(json, "scenarioFileName", c.scenarioFileName, c.codePage);
    WriteText(json, "instructions", c.instructions, c.codePage);
    WritePlayers(json, c);
    WriteSlots(json, c);
    WriteChat(json, c);
    WriteNumber(json, "gameTime", c.gameTime);
    WriteMarks(json, c);
    // What later releases added: the version as the panel names it, the text's code page, where a
    // restored game's recording starts, whether the body was cut short by damage, and whether it
    // ends inside an operation (the record stops before the game's end).
    json.Key("version");
    json.Value(VersionName(c));
    WriteNumber(json, "codePage", c.codePage);
    WriteNumber(json, "restoreTime", c.restoreTime);
    json.Key("damaged");
    json.Boolean(c.bodyDamaged);
    json.Key("truncated");
    json.Boolean(c.truncated);
    WriteLateHd(json, c);
}

} // namespace

std::string RecordJsonLine(const std::string& file, const Mgx::GameRecord& record)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("file");
    json.Value(QString::fromStdString(file));
    if (record.chapters.empty()) {
        // An empty file holds no chapter: there is nothing else to say about it.
        json.Key("status");
        json.Null();
    } else {
        WriteChapter(json, record.chapters.front());
    }
    json.EndObject();
    return json.Text();
}

namespace {

// What a refused file is, where the reader can name it more precisely than its version fields do.
void WriteRefusedFamily(JsonWriter& json, const Mgx::UnsupportedFormatError& error)
{
    switch (error.Kind()) {
    case Mgx::UnsupportedFormatKind::DefinitiveEdition:
        json.Key("family");
        json.Value(QStringLiteral("de"));
        if (error.DefinitiveVersion() > 0) {
            json.Key("build");
            json.Value(QString::fromStdString(Mgx::UnsupportedFormatError::ReleaseText(error.DefinitiveVersion())));
        }
        break;
    case Mgx::UnsupportedFormatKind::HdSavedGame:
        json.Key("family");
        json.Value(QStringLiteral("hdSavedGame"));
        break;
    case Mgx::UnsupportedFormatKind::AgeOfKings:
        json.Key("family");
        json.Value(QStringLiteral("aok"));
        break;
    default:
        break;
    }
}

} // namespace

std::string ErrorJsonLine(const std::string& file, const std::string& error)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("file");
    json.Value(QString::fromStdString(file));
    json.Key("error");
    json.Value(QString::fromStdString(error));
    json.EndObject();
    return json.Text();
}

std::string UnsupportedFormatJsonLine(const std::string& file, const Mgx::UnsupportedFormatError& error)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("file");
    json.Value(QString::fromStdString(file));
    json.Key("error");
    json.Value(UnsupportedFormatText(error));
    WriteVersion(json, error.VersionText(), error.SaveVersion());
    WriteRefusedFamily(json, error);
    json.EndObject();
    return json.Text();
}
