#include "ShowInfo.h"

#include "ChatLines.h"
#include "GameRecord.h"
#include "GeneralPage.h"
#include "InfoContainer.h"
#include "InfoText.h"
#include "MapContainer.h"
#include "PlayerInfoPage.h"
#include "RunRepair.h"
#include "UserPrompt.h"

namespace Mgx {

namespace {

void OfferRepair(const GameRecord& record, UserPrompt& prompt)
{
    if (prompt.AskYesNo(RepairQuestion()))
        RunRepair(record.FullPath(), prompt);
}

void ShowMap(const ChapterInfo& chapter, MapContainer& map)
{
    map.ShowMap(chapter.mapWidth, chapter.mapHeight, chapter.terrain, chapter.objectMarks);
}

} // namespace

QString RepairQuestion()
{
    return QStringLiteral("此录像文件可能内容残缺或非录像文件，是否现在按照录像文件格式进行修复？\n修复时原文件将自动备份。");
}

void ShowInfo(const GameRecord* record, InfoContainer& pane, UserPrompt& prompt)
{
    pane.ResetInfo();
    // No chapter means an empty file: there is nothing to show, and nothing to say about it.
    if (!record || record->chapters.empty())
        return;
    const ChapterInfo& first = record->chapters.front();
    if (first.status == ChapterInfo::Building)
        return;
    if (first.status == ChapterInfo::HeaderEndMissing) {
        OfferRepair(*record, prompt);
        return;
    }

    pane.ShowLabels(ComposeInfoLabels(*record));
    pane.PlayerPage().ShowSlots(first, pane.PanelLayout().PlayersTop());
    pane.ShowChat(ChatListLines(*record));
    pane.GetGeneralPage().HideLabelsUnderLargeMap();
    ShowMap(record->chapters.back(), pane.GetGeneralPage().GetMapContainer());
}

} // namespace Mgx
