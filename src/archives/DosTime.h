#pragma once

#include <QString>
#include <QtGlobal>

#include <ctime>
#include <optional>

// The 32-bit DOS date and time of Zip entries: date in the high 16 bits, time in the low 16
// bits, local time, two-second grain.
namespace DosTime {

quint32 FromUnixTime(std::time_t time);
// Nothing for a date/time no calendar holds.
std::optional<std::time_t> ToUnixTime(quint32 dosDateTime);

} // namespace DosTime

// The DOS date/time of the file's last-write time, or nothing when the file is not found.
std::optional<quint32> GetDosFileTime(const QString& path);

// Sets the file's last-write time (Linux keeps no creation time) and keeps its last-access time.
// Failures are ignored: a time stamp is not worth failing an extraction for.
void SetFileTimeFromDos(const QString& path, quint32 dosDateTime);
