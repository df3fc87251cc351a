#pragma once

#include <QList>
#include <QString>

// Why one entry of an archive was not unpacked.
enum class EntryFailure {
    HostileName,  // the name could lead outside the folder or holds control characters
    TooLarge,     // larger than any record can be (MaxArchiveEntrySize)
    NoSpace,      // more than the file system has free, declared or found while writing
    Damaged,      // the bytes read disagree with the declared size or checksum, or cannot be read
    NameTooLong,  // the file system refuses the name's length
    Clash,        // a folder of the archive meets a file of that name, or the reverse
    CannotWrite,  // any other write failure
};

// What an unpack did: the files written and each entry that was not, with why. Entries the user
// chose to keep are neither.
struct UnpackReport {
    struct Failure {
        QString name; // the entry's name as the archive gives it, control characters shown as '?'
        EntryFailure why;
    };
    int written = 0;
    QList<Failure> failures;

    void Fail(const QString& name, EntryFailure why);
};

// Maps an errno of a failed write to the reason the user is told.
EntryFailure FailureFromErrno(int error);
