#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <optional>

// Builds Zip archives byte by byte, so tests can make the archives other programs write (GBK
// names without a flag, Unicode Path fields) and the ones no good program writes (names that
// climb out, wrong checksums, broken streams).
struct RawZipEntry {
    QByteArray name;
    QByteArray data;
    quint16 flags = 0;
    QByteArray extra;                // central and local extra field
    bool deflate = false;
    std::optional<quint32> crc;      // the stored CRC-32; the true one when unset
    std::optional<QByteArray> packed; // the stored compressed bytes; computed when unset
    quint32 dosTime = 0x5A2B6C31;   // 2025-01-11 13:33:34
};

QByteArray BuildZip(const QList<RawZipEntry>& entries);

// The Unicode Path extra field for a stored name and its UTF-8 form.
QByteArray UnicodePathField(const QByteArray& storedName, const QByteArray& utf8, quint32 crcOverride = 0);
