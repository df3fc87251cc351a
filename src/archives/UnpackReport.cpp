#include "UnpackReport.h"

#include <cerrno>

void UnpackReport::Fail(const QString& name, EntryFailure why)
{
    QString shown = name;
    for (QChar& c : shown)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    failures.append({shown, why});
}

EntryFailure FailureFromErrno(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return EntryFailure::NoSpace;
    case ENAMETOOLONG: return EntryFailure::NameTooLong;
    case EISDIR:
    case ENOTDIR:
    case EEXIST:
    case ENOTEMPTY: return EntryFailure::Clash;
    default: return EntryFailure::CannotWrite;
    }
}
