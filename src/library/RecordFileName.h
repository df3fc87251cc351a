#pragma once

#include <QString>

// The extension after a file name's last dot, in ASCII lower case; empty when the name has none or
// one longer than any listed kind's. Only ASCII letters fold, so no locale turns another name into one.
QString ListedExtension(const QString& fileName);

// Whether the file is a record by its name: the list shows it as one and the library indexes it.
bool IsRecordFileName(const QString& fileName);
