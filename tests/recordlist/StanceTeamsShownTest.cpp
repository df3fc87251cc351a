// An HD record whose lobby wrote no team: every view of its players shows the teams its players'
// stances make, as they show the lobby's teams of other records.
#include "AlliedHdRecord.h"
#include "LibraryColumns.h"
#include "LibrarySummary.h"
#include "RealRecords.h"
#include "RecordLoader.h"
#include "RenameTemplate.h"
#include "SlotView.h"
#include "TemporaryRecord.h"

#include <gtest/gtest.h>

namespace {

using korvale::test::RealRecordPath;

struct Shown {
    QString slot1Team, slot2Team, playersColumn, renamePlayers;
};

Shown ShownFor(const Mgx::GameRecord& record)
{
    const SlotViews slots = ComposeSlots(record.chapters.front());
    const LibrarySummary summary = SummarizeRecord(record, QStringLiteral("/r/x.aoe2record"), 1, 1);
    return {slots[0].teamText, slots[1].teamText, PlayersLine(summary.players), PlayersByTeam(record.chapters.front())};
}

TEST(StanceTeamsShown, ThePanelThePlayersColumnAndTheRenameTemplateShowTheStanceTeams)
{
    KORVALE_NEED_REAL_RECORDS();
    const std::filesystem::path hd50 = RealRecordPath("hd50_tourney_final_g4.aoe2record");
    const korvale::test::TemporaryRecord allied(korvale::test::AlliedHdRecordBytes(hd50));
    const Shown together = ShownFor(allied.Load());
    EXPECT_EQ(together.slot1Team, "1");
    EXPECT_EQ(together.slot2Team, "1");
    EXPECT_EQ(together.playersColumn, "robo_boro, Klavskis");
    EXPECT_EQ(together.renamePlayers, "robo_boro, Klavskis");

    const Shown apart = ShownFor(Mgx::LoadRecordFile(hd50.string()));
    EXPECT_EQ(apart.slot1Team, "--");
    EXPECT_EQ(apart.slot2Team, "--");
    EXPECT_EQ(apart.playersColumn, "robo_boro vs Klavskis");
    EXPECT_EQ(apart.renamePlayers, "robo_boro vs Klavskis");
}

} // namespace
