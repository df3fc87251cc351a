#include "PanelSummary.h"

#include "ChatLines.h"
#include "GameRecord.h"
#include "InfoText.h"
#include "PlayerColour.h"
#include "PlayerKind.h"
#include "SlotView.h"

#include <optional>

namespace {

bool IsShown(const Mgx::GameRecord& record)
{
    return !record.chapters.empty() && record.chapters.front().status == Mgx::ChapterInfo::Read;
}

QString KindWord(int kind)
{
    switch (kind) {
    case Mgx::PlayerKind::Human: return QStringLiteral("人类");
    case Mgx::PlayerKind::Nature: return QStringLiteral("自然");
    case Mgx::PlayerKind::Computer: return QStringLiteral("电脑");
    default: return QStringLiteral("未知");
    }
}

QString ColourWord(int colour)
{
    using namespace Mgx::PlayerColour;
    switch (colour) {
    case Blue: return QStringLiteral("蓝");
    case Red: return QStringLiteral("红");
    case Green: return QStringLiteral("绿");
    case Yellow: return QStringLiteral("黄");
    case Cyan: return QStringLiteral("青");
    case Magenta: return QStringLiteral("紫");
    case White: return QStringLiteral("白");
    case Orange: return QStringLiteral("橙");
    default: return QStringLiteral("未知");
    }
}

QString SlotLine(int position, const SlotView& view, bool recorder)
{
    QString line = QStringLiteral("位置%1：").arg(position + 1);
    if (!view.occupied)
        return line + QStringLiteral("（空）");
    line += view.name + QStringLiteral("｜") + view.civilization + QStringLiteral("｜") + KindWord(view.kind)
        + QStringLiteral("｜队伍 ") + view.teamText + QStringLiteral("｜") + ColourWord(view.colour);
    if (recorder)
        line += QStringLiteral("｜录像者");
    return line;
}

void AppendLabels(const InfoLabels& labels, QStringList& lines)
{
    lines << labels.gameType << labels.map << labels.mapType << labels.mapSize << labels.speed << labels.difficulty
          << labels.population << labels.victory << labels.duration << labels.version;
}

} // namespace

QStringList PanelSummaryLines(const Mgx::GameRecord& record)
{
    QStringList lines;
    const bool shown = IsShown(record);
    AppendLabels(shown ? ComposeInfoLabels(record) : InfoLabels::Captions(), lines);

    const Mgx::ChapterInfo empty;
    const Mgx::ChapterInfo& first = shown ? record.chapters.front() : empty;
    const SlotViews slots = ComposeSlots(first);
    const std::optional<int> recorder = RecorderSlotPosition(first);
    for (int i = 0; i < SlotPositionCount; ++i)
        lines << SlotLine(i, slots[static_cast<std::size_t>(i)], recorder == i);

    if (shown)
        lines << ChatListLines(record);
    return lines;
}
