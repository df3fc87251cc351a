#include "ListHeaderLayout.h"

#include "ColumnOrder.h"
#include "HeaderState.h"
#include "LibraryColumns.h"
#include "RecordListModel.h"

#include <QSettings>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, RecordListModel::ColumnCount> kInitialWidths{90, 100, 140, 220, 90, 70, 60, 50};
// A wider stored width comes from a damaged profile.
constexpr int kMaxColumnWidth = 4096;

const char* const kBaseKey = "Settings/Overview";
const char* const kExtrasKey = "Settings/ExtraColumns";

} // namespace

ListHeaderLayout::ListHeaderLayout()
{
    for (int column = 0; column < RecordListModel::ColumnCount; ++column) {
        sections.append({!LibraryColumns::IsExtraColumn(column), kInitialWidths[static_cast<std::size_t>(column)]});
        order.append(column);
    }
}

ListHeaderLayout ListHeaderLayout::Load(const QSettings& profile)
{
    return FromBlocks(profile.value(kBaseKey).toByteArray(), profile.value(kExtrasKey).toByteArray());
}

ListHeaderLayout ListHeaderLayout::FromBlocks(const QByteArray& base, const QByteArray& extras)
{
    ListHeaderLayout layout;
    layout.ApplyBase(base);
    layout.ApplyExtras(extras, layout.m_stored && layout.sort.value != 0);
    return layout;
}

// Widths out of range and positions that are not each column once come from a damaged profile;
// those parts keep their defaults. The name column is always shown.
void ListHeaderLayout::ApplyBase(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    const std::optional<HeaderState> state = DecodeHeaderState(bytes, RecordListModel::BaseColumnCount);
    if (!state)
        return;
    m_stored = true;
    sort = SortState{state->sortState};
    for (int column = 0; column < state->columns.size(); ++column) {
        const HeaderState::Column& stored = state->columns[column];
        sections[column].visible = stored.visible || column == RecordListModel::NameColumn;
        if (stored.width >= 0)
            sections[column].width = std::min<int>(stored.width, kMaxColumnWidth);
    }
    if (!PositionsArePermutation(*state))
        return;
    for (int column = 0; column < state->columns.size(); ++column)
        order[state->columns[column].position] = column;
}

// The extra columns take their stored places among all columns; the first three fill the rest in
// the order their own block gave them. A sort by an extra column is only kept here, so it applies
// when the first block names no sort column.
void ListHeaderLayout::ApplyExtras(const QByteArray& bytes, bool baseSortsByColumn)
{
    const std::optional<HeaderState> state = DecodeHeaderState(bytes, LibraryColumns::Count);
    if (!state)
        return;
    QList<int> extraPositions;
    for (int extra = 0; extra < state->columns.size(); ++extra) {
        const HeaderState::Column& stored = state->columns[extra];
        Section& section = sections[LibraryColumns::First + extra];
        if (stored.width > 0)
            section.width = std::min<int>(stored.width, kMaxColumnWidth);
        section.visible = stored.visible;
        extraPositions.append(stored.position);
    }
    QList<int> baseRanks;
    for (int column = 0; column < RecordListModel::BaseColumnCount; ++column)
        baseRanks.append(PositionOf(column));
    order = MergedColumnOrder(baseRanks, extraPositions);
    if (state->sortState != 0 && !baseSortsByColumn)
        sort = SortState{state->sortState < 0 ? state->sortState - LibraryColumns::First
                                              : state->sortState + LibraryColumns::First};
}

QByteArray ListHeaderLayout::BaseBlock() const
{
    HeaderState state;
    state.sortState = LibraryColumns::IsExtraColumn(sort.Column()) ? 0 : sort.value;
    QList<int> positions;
    for (int column = 0; column < RecordListModel::BaseColumnCount; ++column)
        positions.append(PositionOf(column));
    const QList<int> ranks = BaseRanks(positions, RecordListModel::BaseColumnCount);
    for (int column = 0; column < RecordListModel::BaseColumnCount; ++column)
        state.columns.append({sections[column].visible, sections[column].width, ranks[column]});
    return EncodeHeaderState(state);
}

QByteArray ListHeaderLayout::ExtrasBlock() const
{
    HeaderState state;
    state.sortState = 0;
    if (LibraryColumns::IsExtraColumn(sort.Column()))
        state.sortState = sort.value < 0 ? sort.value + LibraryColumns::First : sort.value - LibraryColumns::First;
    for (int column = LibraryColumns::First; column < LibraryColumns::End; ++column)
        state.columns.append({sections[column].visible, sections[column].width, PositionOf(column)});
    return EncodeHeaderState(state);
}

void ListHeaderLayout::Store(QSettings& profile) const
{
    profile.setValue(kBaseKey, BaseBlock());
    profile.setValue(kExtrasKey, ExtrasBlock());
}

QList<int> ListHeaderLayout::FitToContent(const QList<int>& content, int available, int minimum)
{
    QList<int> widths;
    int others = 0;
    for (int i = 0; i < content.size(); ++i) {
        widths.append(std::max(content[i], minimum));
        if (i > 0)
            others += widths[i];
    }
    if (!widths.isEmpty())
        widths[0] = std::max(minimum, std::min(widths[0], available - others));
    return widths;
}
