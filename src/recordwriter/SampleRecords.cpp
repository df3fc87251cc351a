#include "SampleRecords.h"

#include "SampleMap.h"

#include <cmath>
#include <cstdint>

namespace Mgx {

namespace {

// Texts are GBK, as the game stores them.
namespace Gbk {
const char* const WindCloud = "\xB7\xE7\xD4\xC6_\xB5\xB6\xBF\xCD";             // 风云_刀客
const char* const Invincible = "\xB6\xAB\xB7\xBD\xB2\xBB\xB0\xDC";             // 东方不败
const char* const FlyingDagger = "\xD0\xA1\xC0\xEE\xB7\xC9\xB5\xB6";           // 小李飞刀
const char* const DragonGeneral = "\xC1\xFA\xB3\xC7\xB7\xC9\xBD\xAB";          // 龙城飞将
const char* const IronHeart = "\xCC\xFA\xD1\xAA\xB5\xA4\xD0\xC4";              // 铁血丹心
const char* const SmilingProud = "\xD0\xA6\xB0\xC1\xBD\xAD\xBA\xFE";           // 笑傲江湖
const char* const Peerless = "\xCC\xEC\xCF\xC2\xCE\xDE\xCB\xAB";               // 天下无双
const char* const WhiteHorse = "\xB0\xD7\xC2\xED\xD0\xA5\xCE\xF7\xB7\xE7";     // 白马啸西风
const char* const PurpleFrost = "\xD7\xCF\xB5\xE7\xC7\xE0\xCB\xAA";            // 紫电青霜
const char* const SaracenSultan = "\xC8\xF6\xC0\xAD\xC9\xAD\xCB\xD5\xB5\xA4";  // 撒拉森苏丹
const char* const MongolKhan = "\xC3\xC9\xB9\xC5\xBF\xC9\xBA\xB9";             // 蒙古可汗
const char* const Hello = "\xB4\xF3\xBC\xD2\xBA\xC3";                          // 大家好
const char* const Ready = "\xB4\xF3\xBC\xD2\xBA\xC3\xA3\xAC\xD7\xBC\xB1\xB8\xBA\xC3\xC1\xCB\xC2\xF0\xA3\xBF"; // 大家好，准备好了吗？
const char* const Done = "\xBA\xC3\xC1\xCB";                                   // 好了
const char* const Start = "\xBF\xAA\xCA\xBC\xB0\xC9";                          // 开始吧
const char* const Rush = "\xB6\xD4\xC3\xE6\xBF\xEC\xB9\xA5\xC1\xCB";           // 对面快攻了
const char* const Charge = "\xD2\xBB\xC6\xF0\xB3\xE5";                         // 一起冲
const char* const Raided = "\xBC\xD2\xC0\xEF\xB1\xBB\xCD\xB5\xC1\xCB";         // 家里被偷了
const char* const HoldThree = "3\xBA\xC5\xCA\xD8\xD7\xA1";                     // 3号守住
const char* const Boar = "\xD6\xED\xC0\xB4\xC1\xCB";                           // 猪来了
const char* const Retreat = "\xCD\xCB\xC1\xCB";                                // 退了
const char* const ComeOn = "\xBC\xD3\xD3\xCD";                                 // 加油
const char* const ScenarioFile = "\xCD\xF5\xD5\xDF\xD6\xAE\xD5\xBD.scx";       // 王者之战.scx
// 保卫你的城堡！ / 在敌人到来之前建造城墙。 / 收集 300 黄金，并守住圣物。
const char* const Instructions =
    "\xB1\xA3\xCE\xC0\xC4\xE3\xB5\xC4\xB3\xC7\xB1\xA4\xA3\xA1\r\n"
    "\xD4\xDA\xB5\xD0\xC8\xCB\xB5\xBD\xC0\xB4\xD6\xAE\xC7\xB0\xBD\xA8\xD4\xEC\xB3\xC7\xC7\xBD\xA1\xA3\r\n"
    "\xCA\xD5\xBC\xAF 300 \xBB\xC6\xBD\xF0\xA3\xAC\xB2\xA2\xCA\xD8\xD7\xA1\xCA\xA5\xCE\xEF\xA1\xA3";
} // namespace Gbk

// Civilization indices.
constexpr std::uint8_t Britons = 1, Franks = 2, Goths = 3, Teutons = 4, Japanese = 5, Chinese = 6, Persians = 8,
                       Saracens = 9, Turks = 10, Mongols = 12, Celts = 13, Huns = 17, Koreans = 18;

constexpr std::int32_t Arabia = 9;
constexpr std::int32_t Highland = 17;

// A body written in game time: waiting emits time steps with the small commands a real game has
// between them; events land at the current time.
class Timeline {
public:
    explicit Timeline(std::uint32_t seed) : m_state(seed) {}

    void WaitUntil(std::int32_t minutes, std::int32_t seconds = 0)
    {
        const std::int32_t until = (minutes * 60 + seconds) * 1000;
        while (m_time < until) {
            const std::int32_t delta = until - m_time < StepMs ? until - m_time : StepMs;
            Add(TimeStep{delta, Roll(7) == 0 ? Roll(4) + 1 : 0});
            m_time += delta;
            BusyWork();
        }
    }
    void Chat(const std::string& line) { Add(ChatOperation{line}); }
    void Research(std::uint16_t slot, std::uint16_t technology) { Add(ResearchCommand(slot, technology)); }
    void Resign(std::uint8_t player, std::uint8_t slot) { Add(ResignCommand(player, slot)); }
    void GameStart() { Add(ChatOperation{{}, 500}); }
    void AddChapterBoundary() { Add(ChapterBoundary{}); }

    std::vector<BodyOperation> Operations() const { return m_operations; }

private:
    static constexpr std::int32_t StepMs = 600;

    template <class Operation>
    void Add(const Operation& operation)
    {
        m_operations.emplace_back(std::in_place_type<Operation>, operation);
    }

    std::int32_t Roll(std::int32_t count)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<std::int32_t>((m_state >> 8) % static_cast<std::uint32_t>(count));
    }

    // Moves, queued work and view changes: passed over by the scan, but they make the body real.
    void BusyWork()
    {
        switch (Roll(6)) {
        case 0: {
            Command move{std::vector<std::uint8_t>(20, 0)};
            move.data[0] = 0x03;
            move.data[4] = static_cast<std::uint8_t>(Roll(200));
            Add(move);
            break;
        }
        case 1: {
            Command queue{std::vector<std::uint8_t>(12, 0)};
            queue.data[0] = 0x77;
            queue.data[8] = static_cast<std::uint8_t>(Roll(8) + 1);
            Add(queue);
            break;
        }
        case 2:
            Add(ViewOperation{});
            break;
        default:
            break;
        }
    }

    std::vector<BodyOperation> m_operations;
    std::int32_t m_time = 0;
    std::uint32_t m_state;
};

std::string Said(int player, const std::string& name, const std::string& text)
{
    return "@#" + std::to_string(player) + name + ": " + text;
}

std::vector<ObjectTypeEntry> TypeTable()
{
    return {{1, 10}, {0}, {1, 20}, {1, 25}, {0}, {1, 30}, {1, 60, 1, 2}, {1, 70, 2, 1}, {3, 80, 0, 3}, {1, 70}, {0}};
}

PlayerBlueprint Player(const std::string& name, std::uint8_t civilization, std::uint8_t colour, std::uint8_t kind)
{
    PlayerBlueprint player;
    player.name = name;
    player.civilization = civilization;
    player.colour = colour;
    player.kind = kind;
    player.resourceExtraFlag = 1;
    player.stateEntries = 3;
    player.wideFlag = kind == PlayerKind::Human ? 1 : 0;
    player.firstList.entries = {CountTripleEntry{{1, 0, 2}}, CountTripleEntry{{0, 0, 0}}};
    player.secondList.entries = {CountTripleEntry{{2, 1, 0}}};
    player.thirdList.entries = {FlaggedEntry{1}, FlaggedEntry{0}};
    player.fourthList.entries = {CountTripleEntry{{0, 3, 0}}};
    player.objectTypes = TypeTable();
    player.gridRows = 4;
    player.gridColumns = 3;
    player.unitCounts = {2, 0, 1};
    player.trailing = {1, 7};
    return player;
}

PlayerBlueprint Nature(const SampleMap& map)
{
    PlayerBlueprint nature = Player("GAIA", 0, 6, PlayerKind::Nature);
    nature.groups = {ObjectGroup{0, map.Nature()}};
    return nature;
}

void GiveObjects(PlayerBlueprint& player, const SampleMap& map, std::uint8_t owner)
{
    std::vector<ObjectRecordBlueprint> units;
    std::vector<ObjectRecordBlueprint> buildings;
    for (const ObjectRecordBlueprint& object : map.PlayerObjects(owner))
        (object.recordKind == 80 ? buildings : units).push_back(object);
    player.groups = {ObjectGroup{0, units}, ObjectGroup{1, buildings}};
}

void SetLobby(HeaderBlueprint& header, const std::vector<std::string>& names, const std::vector<std::uint8_t>& teams,
              std::int32_t computerFrom = 99)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto number = static_cast<std::int32_t>(i + 1);
        header.slots[i + 1] = SlotBlueprint{number, number >= computerFrom ? 3 : 2, names[i], teams[i]};
    }
}

void ArabiaTerrain(SampleMap& map, std::uint32_t size)
{
    map.Fill(SampleMap::Grass);
    const double s = size;
    for (int i = 0; i < 9; ++i)
        map.PaintPatch(s * (0.1 + 0.09 * i), s * (0.15 + 0.08 * ((i * 5) % 9)), 3 + i % 4, SampleMap::Dirt);
    // Woods grow with the map, as the game's generator scales them.
    const double wood = s / 120;
    map.AddForest(s * 0.5, s * 0.12, 9 * wood);
    map.AddForest(s * 0.12, s * 0.55, 8 * wood);
    map.AddForest(s * 0.88, s * 0.45, 8 * wood);
    map.AddForest(s * 0.5, s * 0.88, 9 * wood);
    map.AddForest(s * 0.3, s * 0.25, 4 * wood);
    map.AddForest(s * 0.72, s * 0.78, 4 * wood);
    map.AddForest(s * 0.2, s * 0.85, 3 * wood);
    map.AddForest(s * 0.85, s * 0.15, 3 * wood);
    map.AddLake(s * 0.5, s * 0.5, s * 0.06);
    map.AddCliffs(s * 0.3, s * 0.62, s * 0.42, s * 0.7);
    map.AddCliffs(s * 0.62, s * 0.3, s * 0.7, s * 0.42);
    map.AddRelic(s * 0.2, s * 0.8);
    map.AddRelic(s * 0.8, s * 0.2);
    map.AddRelic(s * 0.35, s * 0.4);
    map.AddRelic(s * 0.65, s * 0.62);
    map.AddRelic(s * 0.5, s * 0.3);
    map.AddGoldMine(s * 0.5, s * 0.68, 4);
    map.AddGoldMine(s * 0.48, s * 0.3, 4);
    map.AddStoneMine(s * 0.3, s * 0.5, 4);
}

SampleRecord OneVersusOne()
{
    constexpr std::uint32_t size = 120;
    SampleMap map(size, 11);
    ArabiaTerrain(map, size);
    map.AddBase(1, 30, 32);
    map.AddBase(2, 90, 86);

    RecordBlueprint record;
    HeaderBlueprint& header = record.header;
    header.mapWidth = header.mapHeight = size;
    header.terrain = map.Terrain();
    header.mapId = Arabia;
    header.players = {Nature(map), Player(Gbk::WindCloud, Chinese, 0, PlayerKind::Human), Player("Viper_CN", Huns, 1, PlayerKind::Human)};
    GiveObjects(header.players[1], map, 1);
    GiveObjects(header.players[2], map, 2);
    SetLobby(header, {Gbk::WindCloud, "Viper_CN"}, {1, 1});
    header.instructions = "Map Type: Arabia";
    header.pregameChat = {Said(1, Gbk::WindCloud, Gbk::Hello), Said(2, "Viper_CN", "hi"), ""};

    Timeline game(1);
    game.GameStart();
    game.WaitUntil(0, 3);
    game.Chat(Said(1, Gbk::WindCloud, "gl hf"));
    game.Chat(Said(2, "Viper_CN", "gl hf"));
    game.WaitUntil(9, 41);
    game.Research(1, AgeTechnology::Feudal);
    game.WaitUntil(10, 5);
    game.Research(2, AgeTechnology::Feudal);
    game.WaitUntil(11, 30);
    game.Chat(Said(1, Gbk::WindCloud, Gbk::Rush));
    game.WaitUntil(17, 12);
    game.Research(2, AgeTechnology::Castle);
    game.WaitUntil(18, 40);
    game.Research(1, AgeTechnology::Castle);
    game.WaitUntil(31, 2);
    game.Research(1, AgeTechnology::Imperial);
    game.WaitUntil(33, 15);
    game.Chat(Said(2, "Viper_CN", "gg"));
    game.Resign(2, 2);
    game.WaitUntil(33, 20);
    record.body.operations = game.Operations();
    return {"1v1_arabia.mgx", record};
}

SampleRecord FourVersusFour()
{
    constexpr std::uint32_t size = 220;
    SampleMap map(size, 44);
    ArabiaTerrain(map, size);
    map.AddLake(size * 0.25, size * 0.5, 10);
    map.AddLake(size * 0.75, size * 0.5, 10);
    const double positions[8][2] = {{40, 40}, {110, 28}, {180, 40}, {192, 110}, {180, 180}, {110, 192}, {40, 180}, {28, 110}};
    for (std::uint8_t number = 1; number <= 8; ++number)
        map.AddBase(number, positions[number - 1][0], positions[number - 1][1]);

    const std::vector<std::string> names = {Gbk::Invincible, Gbk::FlyingDagger, Gbk::DragonGeneral, "Sky_Eagle",
                                            Gbk::IronHeart,  Gbk::SmilingProud, Gbk::Peerless,      Gbk::PurpleFrost};
    const std::uint8_t civs[8] = {Britons, Mongols, Chinese, Persians, Japanese, Teutons, Celts, Koreans};
    // Alternate players around the ring play for the same team.
    const std::vector<std::uint8_t> teams = {2, 3, 2, 3, 2, 3, 2, 3};

    RecordBlueprint record;
    HeaderBlueprint& header = record.header;
    header.mapWidth = header.mapHeight = size;
    header.terrain = map.Terrain();
    header.mapId = Arabia;
    header.gameSpeed = 150;
    header.recorderNumber = 5;
    header.players = {Nature(map)};
    for (std::uint8_t number = 1; number <= 8; ++number) {
        header.players.push_back(Player(names[number - 1], civs[number - 1], static_cast<std::uint8_t>(number - 1), PlayerKind::Human));
        GiveObjects(header.players.back(), map, number);
    }
    SetLobby(header, names, teams);
    header.instructions = "Map Type: Arabia";
    header.pregameChat = {Said(1, names[0], Gbk::Ready), Said(3, names[2], Gbk::Done), "", Said(5, names[4], Gbk::Hello),
                          Said(8, names[7], "gl"), Said(1, names[0], Gbk::Start), "ok"};

    Timeline game(4);
    game.GameStart();
    game.WaitUntil(0, 10);
    game.Chat(Said(2, names[1], Gbk::ComeOn));
    game.WaitUntil(1, 45);
    game.Chat(Said(5, names[4], Gbk::Boar));
    const std::int32_t feudal[8][2] = {{9, 50}, {10, 2}, {10, 31}, {9, 12}, {10, 58}, {11, 20}, {10, 40}, {9, 58}};
    const int feudalOrder[8] = {3, 0, 7, 1, 2, 6, 4, 5};
    for (int i : feudalOrder) {
        game.WaitUntil(feudal[i][0], feudal[i][1]);
        game.Research(static_cast<std::uint16_t>(i + 1), AgeTechnology::Feudal);
    }
    game.WaitUntil(13, 5);
    game.Chat(Said(4, names[3], Gbk::Raided));
    game.WaitUntil(14, 40);
    // The game was saved and restored here: the rest is a second chapter.
    game.AddChapterBoundary();
    game.WaitUntil(16, 20);
    game.Chat(Said(6, names[5], Gbk::HoldThree));
    const int castleOrder[6] = {3, 0, 1, 7, 2, 4};
    for (int k = 0; k < 6; ++k) {
        game.WaitUntil(17 + k, 10 * k);
        game.Research(static_cast<std::uint16_t>(castleOrder[k] + 1), AgeTechnology::Castle);
    }
    game.WaitUntil(24, 30);
    game.Chat(Said(7, names[6], Gbk::Charge));
    game.WaitUntil(27, 48);
    game.Chat(Said(6, names[5], Gbk::Retreat));
    game.Resign(6, 6);
    game.WaitUntil(31, 0);
    game.Research(4, AgeTechnology::Imperial);
    game.WaitUntil(33, 25);
    game.Research(1, AgeTechnology::Imperial);
    game.WaitUntil(38, 0);
    game.Chat(Said(2, names[1], "gg"));
    game.WaitUntil(38, 12);
    record.body.operations = game.Operations();
    return {"4v4_chat_ageups.mgx", record};
}

PlayerBlueprint Computer(const std::string& name, std::uint8_t civilization, std::uint8_t colour)
{
    PlayerBlueprint computer = Player(name, civilization, colour, PlayerKind::Computer);
    computer.computerEntries = 2;
    computer.computerStrings = {"Promi", "", "standard"};
    return computer;
}

SampleRecord Scenario()
{
    constexpr std::uint32_t size = 144;
    SampleMap map(size, 7);
    map.Fill(SampleMap::Grass);
    // A river of deep water from north to south with two fords, and a desert on the far bank.
    for (int y = 0; y < static_cast<int>(size); y += 4)
        map.PaintPatch(72 + 6 * std::sin(y / 11.0), y, 6, SampleMap::DeepWater);
    map.PaintPatch(72, 40, 5, SampleMap::Shallows);
    map.PaintPatch(72, 104, 5, SampleMap::Shallows);
    map.PaintPatch(115, 72, 22, SampleMap::Desert);
    map.AddForest(30, 30, 12);
    map.AddForest(30, 115, 10);
    map.AddForest(110, 20, 8);
    map.AddLake(110, 120, 9);
    map.AddCliffs(50, 60, 50, 85);
    map.AddRelic(72, 72.5);
    map.AddRelic(20, 72);
    map.AddRelic(120, 72);
    map.AddBase(1, 35, 72);
    map.AddBase(2, 110, 50);
    map.AddBase(3, 110, 95);

    RecordBlueprint record;
    HeaderBlueprint& header = record.header;
    header.mapWidth = header.mapHeight = size;
    header.terrain = map.Terrain();
    header.mapId = Highland;
    header.gameType = 3;
    header.difficulty = 1;
    header.populationLimit = 75;
    header.victoryType = 1;
    header.recorderNumber = 1;
    header.scenarioFileName = Gbk::ScenarioFile;
    header.instructions = Gbk::Instructions;
    header.scenarioTexts[0] = "Hold the relics.";
    // Computer players bring their AI scripts and rules along.
    header.aiFlag = 1;
    header.aiStrings = {"Promi", "standard"};
    header.aiRules[0] = {1, 3};
    header.aiRules[1] = {0, 5};
    header.aiRules[2] = {1, 1};
    header.triggers = {TriggerEntry{"Relics", "Keep all three relics", {TriggerItem{2, "a", "b"}}, 1},
                       TriggerEntry{"Walls", "", {}, 0}};
    header.lobbyEntries = {1, 0, 2};
    header.players = {Nature(map), Player(Gbk::WhiteHorse, Franks, 0, PlayerKind::Human), Computer(Gbk::SaracenSultan, Saracens, 1),
                      Computer(Gbk::MongolKhan, Mongols, 2)};
    for (std::uint8_t number = 1; number <= 3; ++number)
        GiveObjects(header.players[number], map, number);
    SetLobby(header, {Gbk::WhiteHorse, Gbk::SaracenSultan, Gbk::MongolKhan}, {2, 3, 3}, 2);

    Timeline game(9);
    record.body.logVersion = 3;
    game.GameStart();
    game.WaitUntil(8, 20);
    game.Research(2, AgeTechnology::Feudal);
    game.WaitUntil(8, 55);
    game.Research(3, AgeTechnology::Feudal);
    game.WaitUntil(11, 2);
    game.Research(1, AgeTechnology::Feudal);
    game.WaitUntil(12, 0);
    game.Chat(Said(1, Gbk::WhiteHorse, Gbk::Rush));
    game.WaitUntil(19, 30);
    game.Research(1, AgeTechnology::Castle);
    game.WaitUntil(20, 10);
    game.Research(2, AgeTechnology::Castle);
    game.WaitUntil(29, 45);
    game.Resign(3, 3);
    game.WaitUntil(35, 10);
    game.Resign(2, 2);
    game.WaitUntil(35, 12);
    record.body.operations = game.Operations();
    return {"scenario.mgx", record};
}

SampleRecord Unfinished()
{
    constexpr std::uint32_t size = 120;
    SampleMap map(size, 23);
    ArabiaTerrain(map, size);
    map.AddBase(1, 88, 30);
    map.AddBase(2, 30, 88);

    RecordBlueprint record;
    HeaderBlueprint& header = record.header;
    header.mapWidth = header.mapHeight = size;
    header.terrain = map.Terrain();
    header.mapId = Arabia;
    header.players = {Nature(map), Player(Gbk::WindCloud, Turks, 2, PlayerKind::Human), Player(Gbk::PurpleFrost, Goths, 3, PlayerKind::Human)};
    GiveObjects(header.players[1], map, 1);
    GiveObjects(header.players[2], map, 2);
    SetLobby(header, {Gbk::WindCloud, Gbk::PurpleFrost}, {1, 1});
    header.instructions = "Map Type: Arabia";

    Timeline game(23);
    game.GameStart();
    game.WaitUntil(0, 5);
    game.Chat(Said(2, Gbk::PurpleFrost, "hf"));
    game.WaitUntil(6, 40);
    // The game stopped writing here and never went back to fill in the first field.
    record.body.operations = game.Operations();
    record.headerEnd = 0;
    return {"unfinished.mgx", record};
}

} // namespace

std::vector<SampleRecord> SampleRecords()
{
    return {OneVersusOne(), FourVersusFour(), Scenario(), Unfinished()};
}

} // namespace Mgx
