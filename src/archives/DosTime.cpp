#include "DosTime.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace DosTime {

quint32 FromUnixTime(std::time_t time)
{
    struct tm local {};
    if (!::localtime_r(&time, &local) || local.tm_year < 80)
        return (1u << 21) | (1u << 16); // 1980-01-01, the earliest DOS date
    const quint32 date = quint32(local.tm_year - 80) << 9 | quint32(local.tm_mon + 1) << 5 | quint32(local.tm_mday);
    const quint32 clock = quint32(local.tm_hour) << 11 | quint32(local.tm_min) << 5 | quint32(local.tm_sec / 2);
    return date << 16 | clock;
}

std::optional<std::time_t> ToUnixTime(quint32 dosDateTime)
{
    const quint32 date = dosDateTime >> 16;
    const quint32 clock = dosDateTime & 0xFFFF;
    struct tm local {};
    local.tm_year = int(date >> 9) + 80;
    local.tm_mon = int((date >> 5) & 0x0F) - 1;
    local.tm_mday = int(date & 0x1F);
    local.tm_hour = int(clock >> 11);
    local.tm_min = int((clock >> 5) & 0x3F);
    local.tm_sec = int(clock & 0x1F) * 2;
    local.tm_isdst = -1;
    if (local.tm_mon < 0 || local.tm_mon > 11 || local.tm_mday < 1 || local.tm_hour > 23 || local.tm_min > 59
        || local.tm_sec > 59)
        return std::nullopt;
    const std::time_t time = ::mktime(&local);
    if (time == std::time_t(-1))
        return std::nullopt;
    return time;
}

} // namespace DosTime

std::optional<quint32> GetDosFileTime(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return DosTime::FromUnixTime(info.st_mtim.tv_sec);
}

void SetFileTimeFromDos(const QString& path, quint32 dosDateTime)
{
    const std::optional<std::time_t> time = DosTime::ToUnixTime(dosDateTime);
    if (!time)
        return;
    const struct timespec times[2] = {{0, UTIME_OMIT}, {*time, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}
