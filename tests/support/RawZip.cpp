#include "RawZip.h"

#include <zlib.h>

namespace {

void Put(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

quint32 Crc(const QByteArray& bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

QByteArray RawDeflate(const QByteArray& data)
{
    z_stream stream {};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// The entry's extra block: its own fields, then the Zip64 sizes when asked for.
QByteArray ExtraOf(const RawZipEntry& entry, const QByteArray& packed)
{
    QByteArray extra = entry.extra;
    if (entry.zip64) {
        Put(extra, 0x0001, 2);
        Put(extra, 16, 2);
        Put(extra, entry.declaredSize.value_or(quint32(entry.data.size())), 4);
        Put(extra, 0, 4);
        Put(extra, quint32(packed.size()), 4);
        Put(extra, 0, 4);
    }
    return extra;
}

void PutCommon(QByteArray& out, const RawZipEntry& entry, const QByteArray& packed)
{
    Put(out, entry.zip64 ? 45 : 20, 2);                 // version needed
    Put(out, entry.flags, 2);
    Put(out, entry.deflate ? 8 : 0, 2);
    Put(out, entry.dosTime, 4);
    Put(out, entry.crc.value_or(Crc(entry.data)), 4);
    Put(out, entry.zip64 ? 0xFFFFFFFF : quint32(packed.size()), 4);
    Put(out, entry.zip64 ? 0xFFFFFFFF : entry.declaredSize.value_or(quint32(entry.data.size())), 4);
    Put(out, quint32(entry.name.size()), 2);
    Put(out, quint32(ExtraOf(entry, packed).size()), 2);
}

} // namespace

QByteArray BuildZip(const QList<RawZipEntry>& entries)
{
    QByteArray archive;
    QByteArray directory;
    for (const RawZipEntry& entry : entries) {
        const QByteArray packed = entry.packed.value_or(entry.deflate ? RawDeflate(entry.data) : entry.data);
        const quint32 offset = quint32(archive.size());
        Put(archive, 0x04034b50, 4);
        PutCommon(archive, entry, packed);
        archive += entry.name + ExtraOf(entry, packed) + packed;

        Put(directory, 0x02014b50, 4);
        Put(directory, entry.unixMode ? 0x0314 : 20, 2); // version made by (Unix, 2.0)
        PutCommon(directory, entry, packed);
        Put(directory, 0, 2);  // comment length
        Put(directory, 0, 2);  // disk
        Put(directory, 0, 2);  // internal attributes
        Put(directory, entry.unixMode << 16, 4); // external attributes
        Put(directory, offset, 4);
        directory += entry.name + ExtraOf(entry, packed);
    }
    const quint32 directoryOffset = quint32(archive.size());
    archive += directory;
    Put(archive, 0x06054b50, 4);
    Put(archive, 0, 4);
    Put(archive, quint32(entries.size()), 2);
    Put(archive, quint32(entries.size()), 2);
    Put(archive, quint32(directory.size()), 4);
    Put(archive, directoryOffset, 4);
    Put(archive, 0, 2);
    return archive;
}

QByteArray UnicodePathField(const QByteArray& storedName, const QByteArray& utf8, quint32 crcOverride)
{
    QByteArray field;
    Put(field, 0x7075, 2);
    Put(field, quint32(5 + utf8.size()), 2);
    field.append(char(1));
    Put(field, crcOverride ? crcOverride : Crc(storedName), 4);
    return field + utf8;
}
