#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// One registry value: its type number and its bytes as the registry keeps them (strings as
// UTF-16LE with their terminating NUL).
struct RegistryValue {
    enum Type : quint32 { String = 1, ExpandString = 2, Binary = 3, Dword = 4, MultiString = 7 };

    quint32 type = 0;
    QByteArray data;

    bool operator==(const RegistryValue&) const = default;
};

// Reads a value from the text of a Wine registry file (a prefix's system.reg). keyPath is relative
// to the file's root ("Software\\Microsoft\\..." with single backslashes); key and value names
// are compared without regard to case, as the registry does. Nothing when the key or the value
// is missing or its line cannot be read.
std::optional<RegistryValue> FindSystemRegValue(QByteArrayView text, QStringView keyPath, QStringView valueName);

// The text between a quote and its closing character, with the registry file's escapes undone:
// \\ \" \] \n \r \t and the other C letters, \x and up to four hex digits, \ and up to three
// octal digits. `at` starts just after the opening quote and ends just after the closing one.
// Nothing when the closing character is missing.
std::optional<QString> ReadRegQuoted(QStringView line, qsizetype& at, QChar close);
