#pragma once

#include <QString>
#include <QtGlobal>

// The values of the list's extra columns for one record, taken from its library summary. Texts are
// composed once when the summary arrives, so painting and sorting only read them.
struct LibraryColumnValues {
    enum class State : qint8 {
        Missing, // no summary yet: empty cells, sorted after the rest
        Read,
        Damaged, // the index could not read the record: a short mark, sorted after the read ones
    };

    State state = State::Missing;
    QString players;      // "A, B vs C, D"
    QString map;          // the map's name
    qint64 duration = 0;  // game time in milliseconds
    int logVersion = 0;
    int formatFamily = 0; // see LibrarySummary::formatFamily
    int playerCount = 0;

    bool operator==(const LibraryColumnValues&) const = default;
};
