#include "ZipEntryName.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <zlib.h>

#include <algorithm>

namespace {

std::optional<QByteArray> ToGbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return std::nullopt;
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    // GBK leaves no room for some characters and maps them to '?'; a round trip finds them.
    QStringDecoder decoder("GBK");
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != text)
        return std::nullopt;
    return bytes;
}

void AppendLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

quint32 ReadLittleEndian(const QByteArray& in, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= quint32(quint8(in[at + i])) << (8 * i);
    return value;
}

quint32 Crc32(const QByteArray& bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

// The UTF-8 name of a Unicode Path field whose CRC matches the stored name.
std::optional<QString> UnicodePath(const QByteArray& name, const QByteArray& extra)
{
    qsizetype at = 0;
    while (at + 4 <= extra.size()) {
        const quint32 tag = ReadLittleEndian(extra, at, 2);
        const qsizetype size = ReadLittleEndian(extra, at + 2, 2);
        const qsizetype data = at + 4;
        if (data + size > extra.size())
            return std::nullopt;
        if (tag == ZipEntryName::UnicodePathTag && size >= 5 && extra[data] == 1
            && ReadLittleEndian(extra, data + 1, 4) == Crc32(name)) {
            QStringDecoder utf8(QStringDecoder::Utf8);
            const QString decoded = utf8.decode(extra.mid(data + 5, size - 5));
            if (!utf8.hasError())
                return decoded;
        }
        at = data + size;
    }
    return std::nullopt;
}

bool IsAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (quint8(c) >= 0x80)
            return false;
    return true;
}

} // namespace

namespace ZipEntryName {

Stored Encode(const QString& name)
{
    Stored stored;
    if (const std::optional<QByteArray> gbk = ToGbk(name)) {
        stored.name = *gbk;
    } else {
        stored.name = name.toUtf8();
        stored.flags = Utf8Flag;
    }
    if (IsAscii(stored.name))
        return stored;
    // Also beside the flag: some readers convert the name of an archive made on DOS from the
    // OEM code page and heed only this field.
    const QByteArray utf8 = name.toUtf8();
    AppendLittleEndian(stored.extraField, UnicodePathTag, 2);
    AppendLittleEndian(stored.extraField, quint32(5 + utf8.size()), 2);
    stored.extraField.append(char(1));
    AppendLittleEndian(stored.extraField, Crc32(stored.name), 4);
    stored.extraField.append(utf8);
    return stored;
}

QString Decode(const QByteArray& name, quint16 flags, const QByteArray& extraField)
{
    if (flags & Utf8Flag)
        return QString::fromUtf8(name);
    if (const std::optional<QString> unicode = UnicodePath(name, extraField))
        return *unicode;
    // Many writers store UTF-8 without setting the flag; GBK bytes of a real name are almost
    // never valid UTF-8 as well, so valid UTF-8 is taken as such.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(name);
    if (!utf8.hasError())
        return asUtf8;
    QStringDecoder gbk("GBK");
    return gbk.isValid() ? gbk.decode(name) : QString::fromLatin1(name);
}

bool HasControlByte(QByteArrayView name)
{
    for (char c : name)
        if (quint8(c) < 0x20 || quint8(c) == 0x7F)
            return true;
    return false;
}

std::optional<QStringList> SafeParts(const QString& name)
{
    const bool control = std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    if (control || name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\'))
        || (name.size() >= 2 && name[1] == QLatin1Char(':')))
        return std::nullopt;
    const bool folder = name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'));
    QStringList parts;
    for (const QString& part : name.split(QRegularExpression(QStringLiteral("[/\\\\]")), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return std::nullopt;
        if (part != QLatin1String("."))
            parts.append(part);
    }
    if (parts.isEmpty() && !folder)
        return std::nullopt;
    if (folder)
        parts.append(QString());
    return parts;
}

} // namespace ZipEntryName
