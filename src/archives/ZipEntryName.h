#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// Zip entry names. Archives traded among players carry GBK names without any marker; modern
// tools expect UTF-8. A name GBK can hold is stored as GBK bytes plus an Info-ZIP Unicode Path
// field, so both kinds of reader see it right; any other name is stored as UTF-8 with the
// language-encoding flag (and the same field, for readers that heed only that).
namespace ZipEntryName {

constexpr quint16 Utf8Flag = 0x0800;        // general-purpose bit 11
constexpr quint16 UnicodePathTag = 0x7075;  // Info-ZIP Unicode Path extra field

struct Stored {
    QByteArray name;       // the bytes of the header's name field
    quint16 flags = 0;     // Utf8Flag or 0
    QByteArray extraField; // a complete Unicode Path field, or empty
};

Stored Encode(const QString& name);

// Decodes a name read from an archive. extraField is the entry's central extra field block.
// The flag or a matching Unicode Path field decide first; then valid UTF-8 is read as UTF-8 and
// anything else as GBK. Unpacking, browsing and copying out all decode through here.
QString Decode(const QByteArray& name, quint16 flags, const QByteArray& extraField);

// Whether the stored name holds a NUL or another control byte. Such a name is refused before it
// is decoded or split: a NUL would cut the name short once it reaches the file system.
bool HasControlByte(QByteArrayView name);

// The folder parts and file name of a decoded entry name, split at "/" and "\", with "." and
// empty parts dropped; nothing when the name could reach outside the folder it is extracted into
// (absolute, a drive letter, or a ".." part) or holds a control character. A folder entry ends
// with an empty last part.
std::optional<QStringList> SafeParts(const QString& name);

} // namespace ZipEntryName
