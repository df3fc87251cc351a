#include "ArchiveEntryRead.h"

#include "ArchiveHandle.h"

ArchiveResult ReadArchiveEntry(const QString& archivePath, const QString& entryName, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    ArchiveHandle archive(archivePath);
    if (!archive.IsOpen())
        return ArchiveResult::Damaged;
    for (;;) {
        const ArchiveHandle::Step step = archive.Next();
        if (step == ArchiveHandle::Step::Failed)
            return ArchiveResult::Damaged;
        if (step == ArchiveHandle::Step::End)
            return ArchiveResult::NoSuchEntry;
        if (archive.CleanName() != entryName)
            continue;
        if (!archive.IsFile())
            return ArchiveResult::NoSuchEntry;
        return archive.ReadData(bytes);
    }
}
