#include "LateHdHeader.h"

#include "RecordFormat.h"
#include "RecordLayout.h"

#include <cmath>
#include <stdexcept>

namespace Mgx {

namespace {

constexpr std::uint8_t Enemy = 3;
constexpr std::uint8_t Ally = 0;
constexpr std::int16_t TownCentre = 109;
constexpr std::int16_t TownCentreHelper = 888; // one of the objects 12.50 writes with an empty sprite list
constexpr std::int16_t GoldMine = 66;
constexpr std::int16_t Relic = 285;
constexpr std::uint32_t HumanSlot = 2;
constexpr std::uint32_t ComputerSlot = 4;
// Releases whose defaults differ: HD 4.8 (12.49) and 5.x (12.50).
constexpr int Release48 = 1249;
constexpr int Release50 = 1250;

RecordFormat FormatOf(float saveVersion)
{
    const RecordFormat format = ChapterFormat("VER 9.4", saveVersion);
    if (!format.IsLateHd())
        throw std::invalid_argument("not a save version of the later HD releases");
    return format;
}

// The settings block's version by release: 4.6/4.7 (12.36), 4.8 (12.49), 5.x (12.50).
float SettingsVersionOf(const RecordFormat& format)
{
    if (format.IsHdFrom(Release50))
        return static_cast<float>(HdSettingsLayout::Version50);
    if (format.IsHdFrom(Release48))
        return static_cast<float>(HdSettingsLayout::Version48);
    return static_cast<float>(HdSettingsLayout::Version46);
}

std::uint8_t LobbyTeamByte(const LateHdGame& game, int team)
{
    if (game.lobbyTeams == LobbyTeams::Zero)
        return 0;
    return static_cast<std::uint8_t>(team + 1);
}

std::vector<ObjectTypeEntry> ObjectTypesOf(const RecordFormat& format, float saveVersion)
{
    std::vector<ObjectTypeEntry> types = {
        {1, ObjectKind::Living, 1, 2}, {0}, {1, ObjectKind::Building, 0, 1}, {1, ObjectKind::Moving}, {1, ObjectKind::Decoration}};
    const std::int32_t count = LateHdObjectTypeCount(saveVersion);
    if (format.IsLateHd() && count > 0)
        types.resize(static_cast<std::size_t>(count), ObjectTypeEntry{0});
    return types;
}

// A helper object as 12.50 writes them: a building whose placement marks its sprite list empty.
ObjectRecordBlueprint HelperObject(std::uint8_t owner, float x, float y)
{
    ObjectRecordBlueprint helper = ObjectRecordBlueprint::At(ObjectKind::Building, owner, TownCentreHelper, x, y);
    helper.motionStretch = 0;
    helper.emptySpriteList = true;
    helper.pathStretch = ObjectRecordLayout::SpriteEndTwoKey; // what the missing stretch would have selected
    return helper;
}

PlayerBlueprint GaiaBlock(const RecordFormat& format, float saveVersion)
{
    PlayerBlueprint gaia;
    gaia.name = format.IsHdFrom(Release50) ? "Gaia" : "GAIA";
    gaia.colour = 6;
    gaia.kind = PlayerKind::Nature;
    gaia.objectTypes = ObjectTypesOf(format, saveVersion);
    gaia.groups = {ObjectGroup{0, {ObjectRecordBlueprint::At(ObjectKind::Decoration, 0, GoldMine, 2.5f, 10.5f, 3),
                                   ObjectRecordBlueprint::At(ObjectKind::Moving, 0, Relic, 6.5f, 10.5f, 4)}}};
    return gaia;
}

PlayerBlueprint PlayerBlock(const LateHdPlayer& player, std::uint8_t number, const RecordFormat& format, float saveVersion)
{
    PlayerBlueprint block;
    block.name = player.name;
    block.civilization = player.civilization;
    block.colour = player.colour;
    block.kind = player.kind;
    block.objectTypes = ObjectTypesOf(format, saveVersion);
    const float column = 2.0f * number - 0.5f;
    ObjectGroup group{0, {ObjectRecordBlueprint::At(ObjectKind::Building, number, TownCentre, column, 4.5f)}};
    if (format.IsHdFrom(LateHdBlockLayout::EmptySpriteListFrom))
        group.objects.push_back(HelperObject(number, column, 5.5f));
    block.groups = {group};
    return block;
}

HdSettingsSlot SettingsSlot(const LateHdPlayer& player, std::uint8_t number, std::uint8_t teamByte)
{
    HdSettingsSlot slot;
    slot.colour = player.colour;
    slot.team = teamByte;
    slot.civilization = player.civilization;
    slot.name = player.name;
    slot.playerNumber = number;
    slot.steamId = 76561197960265728ULL + number;
    slot.type = player.kind == PlayerKind::Computer ? ComputerSlot : HumanSlot;
    if (player.kind == PlayerKind::Computer) {
        slot.aiType = "Promi";
        slot.aiName = player.name;
    }
    return slot;
}

HdSettingsBlueprint SettingsOf(const LateHdGame& game, const RecordFormat& format)
{
    HdSettingsBlueprint settings;
    settings.version = SettingsVersionOf(format);
    settings.selectedMapId = static_cast<std::uint32_t>(game.mapId);
    settings.resolvedMapId = static_cast<std::uint32_t>(game.mapId);
    settings.mapName = game.mapName;
    settings.speed = static_cast<float>(game.gameSpeed / LateHdLayout::SpeedFloatScale);
    settings.populationLimit = static_cast<std::uint32_t>(game.populationLimit);
    settings.playerCount = static_cast<std::uint32_t>(game.players.size());
    settings.slotHead = 1;
    for (std::size_t i = 0; i < game.players.size() && i < settings.slots.size(); ++i) {
        const auto number = static_cast<std::uint8_t>(i + 1);
        settings.slots[i] = SettingsSlot(game.players[i], number, LobbyTeamByte(game, game.players[i].team));
    }
    settings.fileTexts[1] = game.mapName + ".rms";
    settings.lobbyName = "Korvale test lobby";
    return settings;
}

void FillLobby(HeaderBlueprint& header, const LateHdGame& game)
{
    header.slots = {};
    for (std::size_t i = 0; i < game.players.size(); ++i) {
        const LateHdPlayer& player = game.players[i];
        SlotBlueprint& slot = header.slots[i + 1];
        slot.playerNumber = static_cast<std::int32_t>(i + 1);
        slot.slotType = static_cast<std::int32_t>(player.kind == PlayerKind::Computer ? ComputerSlot : HumanSlot);
        slot.name = player.name;
        slot.team = LobbyTeamByte(game, player.team);
    }
}

} // namespace

std::int32_t LateHdObjectTypeCount(float saveVersion)
{
    const RecordFormat format = ChapterFormat("VER 9.4", saveVersion);
    if (format.IsHdFrom(Release50))
        return 1402;
    if (format.IsHdFrom(Release48))
        return 1401;
    return 0;
}

HeaderBlueprint LateHdHeader(const LateHdGame& game)
{
    if (game.players.empty() || game.players.size() > 8)
        throw std::invalid_argument("a game has one to eight players");
    const RecordFormat format = FormatOf(game.saveVersion);
    HeaderBlueprint header;
    header.prefix = HeaderBlueprint::VersionPrefix("VER 9.4", game.saveVersion);
    header.gameSpeed = game.gameSpeed;
    header.populationLimit = game.populationLimit;
    header.players = {GaiaBlock(format, game.saveVersion)};
    std::vector<int> teams = {0};
    for (std::size_t i = 0; i < game.players.size(); ++i) {
        header.players.push_back(PlayerBlock(game.players[i], static_cast<std::uint8_t>(i + 1), format, game.saveVersion));
        teams.push_back(game.players[i].team);
    }
    SetStancesByTeam(header, teams);
    FillLobby(header, game);
    // 12.20 still stores the map id in the lobby; later releases leave it 0 and name the map elsewhere.
    header.mapId = format.IsHdFrom(LateHdLayout::BeforeMapIdFrom1231) ? 0 : game.mapId;
    header.instructions = "Game settings\nPlayers: " + std::to_string(game.players.size()) + "\nMap Type: " + game.mapName + "\n";
    if (format.HasHdSettingsBlock())
        header.hdSettings = SettingsOf(game, format);
    return header;
}

LateHdGame LateHdTeamGame(float saveVersion, int teamSize, LobbyTeams lobbyTeams)
{
    if (teamSize < 1 || teamSize > 4)
        throw std::invalid_argument("two teams hold one to four players each");
    static const char* const Names[] = {"甄子毅", "Θεόδωρος", "Ádám", "robo_boro", "李四", "Klavskis", "王五", "Ørjan"};
    LateHdGame game;
    game.saveVersion = saveVersion;
    game.lobbyTeams = lobbyTeams;
    for (int i = 0; i < 2 * teamSize; ++i) {
        LateHdPlayer player;
        player.name = Names[i];
        player.civilization = static_cast<std::uint8_t>(19 + i);
        player.colour = static_cast<std::uint8_t>(i);
        player.team = i % 2 + 1;
        game.players.push_back(player);
    }
    return game;
}

void SetStancesByTeam(HeaderBlueprint& header, const std::vector<int>& teams)
{
    if (teams.size() != header.players.size())
        throw std::invalid_argument("one team for each block, Gaia's first");
    for (std::size_t from = 0; from < teams.size(); ++from) {
        std::vector<std::uint8_t>& stances = header.players[from].stances;
        stances.assign(teams.size(), Enemy);
        for (std::size_t to = 0; to < teams.size(); ++to) {
            const bool mates = from != 0 && to != 0 && teams[from] != 0 && teams[from] == teams[to];
            if (from == to || mates)
                stances[to] = Ally;
        }
    }
}

} // namespace Mgx
