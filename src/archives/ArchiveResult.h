#pragma once

// How reading or extracting from a Zip or RAR archive ended. The user sees one fixed message for
// each outcome other than Ok.
enum class ArchiveResult {
    Ok,
    Damaged,      // the archive cannot be opened or read (also an encrypted entry)
    NoSuchFolder, // the inner folder is not in the archive
    NoSuchEntry,  // the entry is not in the archive, or is no file
    TooLarge,     // the entry holds more than MaxArchiveEntrySize bytes, declared or found
    TargetExists, // extraction: a file of that name exists and was not to be replaced
    CannotWrite,  // extraction: the target could not be written; nothing partial is left
    NoSpace,      // extraction: the file system has no room for the entry; nothing partial is left
};

// An entry read into memory may hold at most this many bytes; records are a few MiB at most.
constexpr long long MaxArchiveEntrySize = 64ll << 20;
