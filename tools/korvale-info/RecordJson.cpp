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
    json.key(name);
    if (text)
        json.value(DecodeRecordText(*text, codePage)); // the first NUL ends the text
    else
        json.null();
}

void WriteNumber(JsonWriter& json, const char* name, std::int64_t number)
{
    json.key(name);
    json.value(number);
}

void WriteVersion(JsonWriter& json, const std::string& versionText, float saveVersion)
{
    json.key("versionText");
    json.value(QString::fromLatin1(versionText)); // ASCII in every known format; a damaged one stays readable
    json.key("saveVersion");
    json.fixedNumber(saveVersion, 2);
}

void WritePlayers(JsonWriter& json, const Mgx::ChapterInfo& chapter)
{
    json.key("players");
    json.beginArray();
    for (const Mgx::PlayerInfo& player : chapter.players) {
        if (!player.filled()) {
            json.null();
            continue;
        }
        json.beginObject();
        WriteText(json, "name", player.name, Mgx::NameCodePage(chapter));
        WriteNumber(json, "civilization", player.civilization);
        WriteNumber(json, "colour", player.colour);
        WriteNumber(json, "kind", player.kind);
        json.endObject();
    }
    json.endArray();
}

void WriteSlots(JsonWriter& json, const Mgx::ChapterInfo& chapter)
{
    json.key("slots");
    json.beginArray();
    for (const Mgx::PlayerSlot& slot : chapter.slots) {
        json.beginObject();
        WriteNumber(json, "playerNumber", slot.playerNumber);
        WriteNumber(json, "slotType", slot.slotType);
        WriteText(json, "name", slot.name, Mgx::NameCodePage(chapter));
        WriteNumber(json, "team", slot.team);
        json.endObject();
    }
    json.endArray();
}

void WriteChat(JsonWriter& json, const Mgx::ChapterInfo& chapter)
{
    json.key("pregameChat");
    json.beginArray();
    for (const Mgx::ChatBeforeGame& line : chapter.pregameChat)
        json.value(DecodeRecordText(line.text, chapter.codePage));
    json.endArray();

    json.key("ingameChat");
    json.beginArray();
    for (const Mgx::ChatInGame& line : chapter.ingameChat) {
        json.beginObject();
        WriteNumber(json, "time", line.time);
        json.key("text");
        json.value(DecodeChatLine(line, chapter.codePage, Mgx::NameCodePage(chapter)));
        json.endObject();
    }
    json.endArray();
}

void WriteMarks(JsonWriter& json, const Mgx::ChapterInfo& chapter)
{
    std::map<int, std::int64_t> counts;
    for (const std::uint8_t mark : chapter.objectMarks)
        if (mark != 0)
            ++counts[mark];
    json.key("objectMarks");
    json.beginObject();
    for (const auto& [mark, count] : counts)
        WriteNumber(json, std::to_string(mark).c_str(), count);
    json.endObject();
}

// Only the later HD releases carry these, so every other record's line stays as it was.
void WriteLateHd(JsonWriter& json, const Mgx::ChapterInfo& c)
{
    const Mgx::RecordFormat format = Mgx::ChapterFormat(c.versionText, c.saveVersion);
    if (!format.lateHd())
        return;
    json.key("family");
    json.value(QString::fromLatin1(format.hdSettingsBlock() ? "hdr" : "hdx"));
    json.key("mapName");
    json.value(DecodeRecordText(c.mapName, c.codePage));
    if (format.hdSettingsBlock())
        WriteNumber(json, "settingsVersion", c.settingsVersion);
    json.key("teamsFromStances");
    json.boolean(c.teamsFromStances);
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
    json.key("version");
    json.value(VersionName(c));
    WriteNumber(json, "codePage", c.codePage);
    WriteNumber(json, "restoreTime", c.restoreTime);
    json.key("damaged");
    json.boolean(c.bodyDamaged);
    json.key("truncated");
    json.boolean(c.truncated);
    WriteLateHd(json, c);
}

} // namespace

std::string RecordJsonLine(const std::string& file, const Mgx::GameRecord& record)
{
    JsonWriter json;
    json.beginObject();
    json.key("file");
    json.value(QString::fromStdString(file));
    if (record.chapters.empty()) {
        // An empty file holds no chapter: there is nothing else to say about it.
        json.key("status");
        json.null();
    } else {
        WriteChapter(json, record.chapters.front());
    }
    json.endObject();
    return json.text();
}

namespace {

// What a refused file is, where the reader can name it more precisely than its version fields do.
void WriteRefusedFamily(JsonWriter& json, const Mgx::UnsupportedFormatError& error)
{
    switch (error.kind()) {
    case Mgx::UnsupportedFormatKind::DefinitiveEdition:
        json.key("family");
        json.value(QStringLiteral("de"));
        if (error.definitiveVersion() > 0) {
            json.key("build");
            json.value(QString::fromStdString(Mgx::UnsupportedFormatError::ReleaseText(error.definitiveVersion())));
        }
        break;
    case Mgx::UnsupportedFormatKind::HdSavedGame:
        json.key("family");
        json.value(QStringLiteral("hdSavedGame"));
        break;
    case Mgx::UnsupportedFormatKind::AgeOfKings:
        json.key("family");
        json.value(QStringLiteral("aok"));
        break;
    default:
        break;
    }
}

} // namespace

std::string ErrorJsonLine(const std::string& file, const std::string& error)
{
    JsonWriter json;
    json.beginObject();
    json.key("file");
    json.value(QString::fromStdString(file));
    json.key("error");
    json.value(QString::fromStdString(error));
    json.endObject();
    return json.text();
}

std::string UnsupportedFormatJsonLine(const std::string& file, const Mgx::UnsupportedFormatError& error)
{
    JsonWriter json;
    json.beginObject();
    json.key("file");
    json.value(QString::fromStdString(file));
    json.key("error");
    json.value(UnsupportedFormatText(error));
    WriteVersion(json, error.versionText(), error.saveVersion());
    WriteRefusedFamily(json, error);
    json.endObject();
    return json.text();
}
