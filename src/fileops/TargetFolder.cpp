#include "TargetFolder.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

using namespace PosixFiles;

TargetFolder::TargetFolder(const QString& path)
    : m_path(path), m_canonicalPath(QFileInfo(path).canonicalFilePath()), m_folder(OpenFolder(path))
{
}

TargetFolder::Outcome TargetFolder::OpenSubfolder(const QStringList& parts, bool create, UniqueFd& folder) const
{
    folder = UniqueFd(::fcntl(m_folder.Get(), F_DUPFD_CLOEXEC, 0));
    if (!folder.IsValid())
        return Outcome::Failed;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QByteArray name = Encode(parts[i]);
        int next = ::openat(folder.Get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && errno == ENOENT && create) {
            if (::mkdirat(folder.Get(), name.constData(), 0777) != 0 && errno != EEXIST)
                return Outcome::Failed;
            next = ::openat(folder.Get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (next < 0 && (errno == ELOOP || errno == ENOTDIR)) {
            struct stat info {};
            if (::fstatat(folder.Get(), name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(info.st_mode)) {
                errno = ENOTDIR; // a file where the name needs a folder
                return Outcome::Failed;
            }
            if (!LinkStaysInside(parts, i + 1))
                return Outcome::Refused;
            next = ::openat(folder.Get(), name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (next < 0)
                return Outcome::Refused;
        }
        if (next < 0)
            return Outcome::Failed;
        folder = UniqueFd(next);
    }
    return Outcome::Opened;
}

bool TargetFolder::LinkStaysInside(const QStringList& parts, qsizetype count) const
{
    if (m_canonicalPath.isEmpty())
        return false;
    QString path = m_canonicalPath;
    for (qsizetype i = 0; i < count; ++i)
        path += QLatin1Char('/') + parts[i];
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return !resolved.isEmpty()
        && (resolved == m_canonicalPath || resolved.startsWith(m_canonicalPath + QLatin1Char('/')));
}
