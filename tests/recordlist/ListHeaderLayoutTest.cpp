#include "ListHeaderLayout.h"

#include "HeaderState.h"
#include "LibraryColumns.h"

#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QList<int> ModelOrder() { return {0, 1, 2, 3, 4, 5, 6, 7}; }

TEST(ListHeaderLayout, WithoutAStoredBlockTheThreeColumnsShowAtTheirFirstWidthsAndFitTheirContent)
{
    for (const ListHeaderLayout& layout :
         {ListHeaderLayout(), ListHeaderLayout::FromBlocks({}, {}), ListHeaderLayout::FromBlocks("junk", "junk")}) {
        EXPECT_FALSE(layout.IsStored());
        EXPECT_EQ(layout.order, ModelOrder());
        EXPECT_EQ(layout.sort.value, 1);
        ASSERT_EQ(layout.sections.size(), 8);
        EXPECT_EQ(layout.sections[0], (ListHeaderLayout::Section{true, 90}));
        EXPECT_EQ(layout.sections[2], (ListHeaderLayout::Section{true, 140}));
        for (int column = LibraryColumns::First; column < LibraryColumns::End; ++column)
            EXPECT_FALSE(layout.sections[column].visible) << column;
    }
}

// What is stored comes back as it was: moved and resized columns, an extra column shown among the
// first three, and a sort by an extra column, which the first block leaves at 0.
TEST(ListHeaderLayout, BothBlocksComeBackAsStored)
{
    ListHeaderLayout layout;
    layout.sections[1] = {false, 77};
    layout.sections[LibraryColumns::Duration] = {true, 66};
    layout.order = {LibraryColumns::Duration, 2, 0, 1, 3, 4, 6, 7};
    layout.sort = SortState{-(LibraryColumns::Duration + 1)};

    const std::optional<HeaderState> base = DecodeHeaderState(layout.BaseBlock(), 3);
    ASSERT_TRUE(base.has_value());
    EXPECT_EQ(base->sortState, 0);
    EXPECT_EQ(base->columns[2].position, 0); // ranks among the first three only
    EXPECT_EQ(base->columns[0].position, 1);

    const ListHeaderLayout back = ListHeaderLayout::FromBlocks(layout.BaseBlock(), layout.ExtrasBlock());
    EXPECT_TRUE(back.IsStored());
    EXPECT_EQ(back.sections, layout.sections);
    EXPECT_EQ(back.order, layout.order);
    EXPECT_EQ(back.sort, layout.sort);

    // Through the profile as well.
    QStandardPaths::setTestModeEnabled(true);
    QSettings profile(QStringLiteral("Korvale"), QStringLiteral("KorvaleLayoutTest"));
    layout.Store(profile);
    const ListHeaderLayout loaded = ListHeaderLayout::Load(profile);
    EXPECT_EQ(loaded.order, layout.order);
    EXPECT_EQ(loaded.sections, layout.sections);
    profile.clear();
}

TEST(ListHeaderLayout, ADamagedFirstBlockKeepsWhatItCanAndTheNameColumnStaysShown)
{
    HeaderState state;
    state.sortState = 2;
    state.columns = {{false, 5000, 0}, {true, 50, 0}, {true, -1, 2}}; // two columns at place 0
    const ListHeaderLayout layout = ListHeaderLayout::FromBlocks(EncodeHeaderState(state), {});
    EXPECT_TRUE(layout.IsStored());
    EXPECT_TRUE(layout.sections[0].visible);
    EXPECT_EQ(layout.sections[0].width, 4096);
    EXPECT_EQ(layout.sections[1].width, 50);
    EXPECT_EQ(layout.sections[2].width, 140);
    EXPECT_EQ(layout.order, ModelOrder());
    EXPECT_EQ(layout.sort.value, 2);

    // A sort column kept with the extra columns yields to one in the first block.
    ListHeaderLayout extraSort;
    extraSort.sort = SortState{LibraryColumns::Map + 1};
    const ListHeaderLayout both = ListHeaderLayout::FromBlocks(EncodeHeaderState(state), extraSort.ExtrasBlock());
    EXPECT_EQ(both.sort.value, 2);
    const ListHeaderLayout extraOnly = ListHeaderLayout::FromBlocks({}, extraSort.ExtrasBlock());
    EXPECT_EQ(extraOnly.sort.value, LibraryColumns::Map + 1);
}

TEST(ListHeaderLayout, FittingGivesTheOthersTheirNeedAndTheNameWhatIsLeft)
{
    // Everything fits: each column its need.
    EXPECT_EQ(ListHeaderLayout::FitToContent({180, 70, 130}, 600, 60), (QList<int>{180, 70, 130}));
    // Too narrow: the name column gives way first, down to the least width.
    EXPECT_EQ(ListHeaderLayout::FitToContent({400, 70, 130}, 500, 60), (QList<int>{300, 70, 130}));
    EXPECT_EQ(ListHeaderLayout::FitToContent({400, 70, 130}, 100, 60), (QList<int>{60, 70, 130}));
    // Tiny needs are raised to the least width.
    EXPECT_EQ(ListHeaderLayout::FitToContent({10, 20}, 600, 60), (QList<int>{60, 60}));
    EXPECT_TRUE(ListHeaderLayout::FitToContent({}, 600, 60).isEmpty());
}

} // namespace
