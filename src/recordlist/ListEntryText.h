#pragma once

#include "MgxListItem.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// The rules that turn a folder entry's file status into a list entry: which kind it is and the
// texts of the size and time columns. Plain functions, so they are tested without a display.

// Folders are kind Folder; files by the three letters after their last dot, ASCII letters in any
// case ("Game.MGX", "b.mgz", "c.mgx2" and "d.aoe2record" are record files; "a.mg" and "e.mgx.bak" are not listed).
MgxItemKind ClassifyEntry(bool isDirectory, const QString& fileName);

// Whole kilobytes rounded up, never less than 1 (an empty file shows "1 KB"), thousands grouped.
QString FormatSizeText(quint64 byteCount, const QLocale& locale);

// Inserts the locale's thousands separator into a digit string of 4 to 128 integer digits. A
// leading negative sign and a part after the decimal separator are kept as they are.
QString GroupThousands(const QString& digits, const QLocale& locale);

// "yyyy-MM-dd HH:mm:ss" in local time; fixed width, so the texts sort chronologically. Empty for
// a time that cannot be converted.
QString FormatTimeText(const QDateTime& lastWrite);

// The status bar's count of the list while no search is in force: "43 个对象", with "，已选 3 个"
// while entries are selected.
QString ListCountText(int entries, int selected);
