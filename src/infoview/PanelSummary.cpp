#include "PanelSummary.h"

#include "ChatLines.h"
#include "GameRecord.h"
#include "InfoText.h"
#include "SlotView.h"

#include <optional>

namespace {

constexpr const char* ColourWords[] = {"蓝", "红", "绿", "黄", "青", "紫", "白", "橙"};

bool IsShown(const Mgx::GameRecord& record)
{
    return !record.chapters.empty() && record.chapters.front().status == Mgx::ChapterInfo::Read;
}

QString KindWord(int kind)
{
    switch (kind) {
    case 1:
        return QStringLiteral("人类");
    case 2:
        return QStringLiteral("自然");
    case 3:
        return QStringLiteral("电脑");
    default:
        return QStringLiteral("未知");
    }
}

QString ColourWord(int colour)
{
    if (colour < 0 || colour >= static_cast<int>(std::size(ColourWords)))
        return QStringLiteral("未知");
    return QString::fromUtf8(ColourWords[colour]);
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
