#pragma once

#include "RecordListSort.h"

#include <QByteArray>
#include <QList>

class QSettings;

// The record list's column layout with no display: per column whether it is shown and its width,
// the column at each place on screen, and the sort order. The profile keeps it in two blocks: the
// first three columns under "Settings/Overview" (their order among themselves and the sort column
// when it is one of them), the extra columns under "Settings/ExtraColumns" (their places among all
// columns, and the sort column when it is one of them). The view only applies and reads it.
class ListHeaderLayout {
public:
    struct Section {
        bool visible = true;
        int width = 0;

        bool operator==(const Section&) const = default;
    };

    // The first three columns at their first widths, the extra columns hidden, all in model
    // order, sorted by name (reversed).
    ListHeaderLayout();

    // The layout kept in the profile; the defaults for any block that is missing or does not fit.
    static ListHeaderLayout Load(const QSettings& profile);
    // The same from the two blocks' bytes (empty: not stored).
    static ListHeaderLayout FromBlocks(const QByteArray& base, const QByteArray& extras);
    void Store(QSettings& profile) const;
    QByteArray BaseBlock() const;
    QByteArray ExtrasBlock() const;

    // Whether the first three columns' widths came from the profile; without, the view fits them to
    // their content.
    bool IsStored() const { return m_stored; }

    // Widths for columns that need `content` pixels each, given in screen order with the name
    // column first, so that together they fit `available` pixels: the later columns keep what they
    // need (at least `minimum`), and the first takes what is left, down to `minimum`.
    static QList<int> FitToContent(const QList<int>& content, int available, int minimum);

    QList<Section> sections; // by model column
    QList<int> order;        // the model column at each place on screen
    SortState sort;

    int PositionOf(int column) const { return static_cast<int>(order.indexOf(column)); }

private:
    void ApplyBase(const QByteArray& bytes);
    void ApplyExtras(const QByteArray& bytes, bool baseSortsByColumn);

    bool m_stored = false;
};
