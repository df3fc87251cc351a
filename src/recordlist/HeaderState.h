#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// The record list's column layout as kept in the profile ("Settings"/"Overview"): the column
// count, the signed sort column, and per column whether it is shown, its width and its position
// on screen. Stored as little-endian int32 count, int32 sort column, then per column one byte
// visible, int32 width, int32 position.
struct HeaderState {
    struct Column {
        bool visible = true;
        qint32 width = 0;
        qint32 position = 0;

        bool operator==(const Column&) const = default;
    };

    qint32 sortState = 1;
    QList<Column> columns;

    bool operator==(const HeaderState&) const = default;
};

QByteArray EncodeHeaderState(const HeaderState& state);

// The stored state, or nothing when it does not fit a list of `columnCount` columns: another
// column count, a size other than 8 + 9 x count, or a sort column beyond the count.
std::optional<HeaderState> DecodeHeaderState(const QByteArray& bytes, int columnCount);

// Whether the positions are each of 0 .. count - 1 exactly once, so they can be applied as they
// stand.
bool PositionsArePermutation(const HeaderState& state);
