#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <optional>
#include <utility>

// Builds Zip archives byte by byte, so tests can make the archives other programs write (GBK
// names without a flag, Unicode Path fields) and the ones no good program writes (names that
// climb out, wrong checksums, broken streams).
struct RawZipEntry {
    RawZipEntry(QByteArray name, QByteArray data, quint16 flags = 0, QByteArray extra = {}, bool deflate = false,
                std::optional<quint32> crc = std::nullopt, std::optional<QByteArray> packed = std::nullopt)
        : name(std::move(name)), data(std::move(data)), flags(flags), extra(std::move(extra)), deflate(deflate),
          crc(crc), packed(std::move(packed))
    {
    }

    QByteArray name;
    QByteArray data;
    quint16 flags;
    QByteArray extra;                 // central and local extra field
    bool deflate;
    std::optional<quint32> crc;       // the stored CRC-32; the true one when unset
    std::optional<QByteArray> packed; // the stored compressed bytes; computed when unset
    quint32 dosTime = 0x5A2B6C31;     // 2025-01-11 13:33:34
    std::optional<quint32> declaredSize; // the stated uncompressed size; the true one when unset
    bool zip64 = false;   // sizes in a Zip64 extra field, 0xFFFFFFFF in the header fields
    quint32 unixMode = 0; // made on Unix with these mode bits (S_IFLNK | 0777 for a link), when set
};

QByteArray BuildZip(const QList<RawZipEntry>& entries);

// The Unicode Path extra field for a stored name and its UTF-8 form.
QByteArray UnicodePathField(const QByteArray& storedName, const QByteArray& utf8, quint32 crcOverride = 0);
