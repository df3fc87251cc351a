#include "SystemReg.h"

#include <QList>

namespace {

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool IsOctalDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '7'; }

char16_t LetterEscape(QChar c)
{
    switch (c.unicode()) {
    case 'a': return 0x07;
    case 'b': return 0x08;
    case 'e': return 0x1B;
    case 'f': return 0x0C;
    case 'n': return 0x0A;
    case 'r': return 0x0D;
    case 't': return 0x09;
    case 'v': return 0x0B;
    default: return c.unicode(); // \\, \", \] and anything unknown stand for themselves
    }
}

// One escape after its backslash; `at` is on the character after the backslash.
char16_t ReadEscape(QStringView line, qsizetype& at)
{
    if (line[at] == u'x') {
        ++at;
        char16_t value = 0;
        int digits = 0;
        for (; digits < 4 && at < line.size() && HexDigit(line[at]) >= 0; ++digits, ++at)
            value = static_cast<char16_t>(value * 16 + HexDigit(line[at]));
        return digits > 0 ? value : u'x';
    }
    if (IsOctalDigit(line[at])) {
        char16_t value = 0;
        for (int digits = 0; digits < 3 && at < line.size() && IsOctalDigit(line[at]); ++digits, ++at)
            value = static_cast<char16_t>(value * 8 + (line[at].unicode() - '0'));
        return value;
    }
    return LetterEscape(line[at++]);
}

QByteArray Utf16LeWithTerminator(const QString& text)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const QChar unit : text) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

// "hex:" or "hex(N):" data: byte pairs separated by commas; whitespace and the line
// continuations have already been joined away.
std::optional<QByteArray> ParseHexBytes(QStringView list)
{
    QByteArray bytes;
    for (QStringView item : list.split(u',')) {
        item = item.trimmed();
        if (item.isEmpty())
            continue;
        if (item.size() > 2 || HexDigit(item[0]) < 0 || (item.size() == 2 && HexDigit(item[1]) < 0))
            return std::nullopt;
        bool ok = false;
        bytes.append(static_cast<char>(item.toUInt(&ok, 16)));
    }
    return bytes;
}

std::optional<quint32> ParseTypeNumber(QStringView text)
{
    bool ok = false;
    const quint32 type = text.toUInt(&ok, 16);
    return ok ? std::optional(type) : std::nullopt;
}

// A "str(N):" or "hex(N):" prefix: takes it off `data` and sets `type` to N. Without the prefix
// nothing changes; false for a prefix whose number cannot be read.
bool TakeTypePrefix(QStringView& data, QStringView prefix, quint32& type)
{
    if (!data.startsWith(prefix))
        return true;
    const qsizetype close = data.indexOf(u"):");
    const std::optional<quint32> number =
        close < 0 ? std::nullopt : ParseTypeNumber(data.mid(prefix.size(), close - prefix.size()));
    if (!number)
        return false;
    type = *number;
    data = data.mid(close + 2);
    return true;
}

// The data after "=": "text", str(N):"text", dword:XXXXXXXX, hex:..., hex(N):...
std::optional<RegistryValue> ParseData(QStringView data)
{
    quint32 type = RegistryValue::String;
    if (!TakeTypePrefix(data, u"str(", type))
        return std::nullopt;
    if (data.startsWith(u'"')) {
        qsizetype at = 1;
        const std::optional<QString> text = ReadRegQuoted(data, at, u'"');
        if (!text)
            return std::nullopt;
        return RegistryValue{type, Utf16LeWithTerminator(*text)};
    }
    if (data.startsWith(u"dword:")) {
        const QStringView digits = data.mid(6).trimmed();
        bool ok = false;
        const quint32 number = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            return std::nullopt;
        QByteArray bytes;
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((number >> shift) & 0xFF));
        return RegistryValue{RegistryValue::Dword, bytes};
    }
    type = RegistryValue::Binary;
    if (data.startsWith(u"hex(")) {
        if (!TakeTypePrefix(data, u"hex(", type))
            return std::nullopt;
    } else if (data.startsWith(u"hex:")) {
        data = data.mid(4);
    } else {
        return std::nullopt;
    }
    std::optional<QByteArray> bytes = ParseHexBytes(data);
    if (!bytes)
        return std::nullopt;
    return RegistryValue{type, *std::move(bytes)};
}

// Walks the file's lines without copying them; CR LF files are read too.
class LineCursor {
public:
    explicit LineCursor(QByteArrayView text)
        : m_text(text)
    {
    }

    bool Next(QByteArrayView& line)
    {
        if (m_at >= m_text.size())
            return false;
        qsizetype end = m_text.indexOf('\n', m_at);
        if (end < 0)
            end = m_text.size();
        line = m_text.sliced(m_at, end - m_at);
        if (line.endsWith('\r'))
            line.chop(1);
        m_at = end + 1;
        return true;
    }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

// A section header "[key\\path] timestamp": the unescaped key path.
std::optional<QString> SectionKey(QByteArrayView line)
{
    const QString text = QString::fromUtf8(line);
    qsizetype at = 1;
    return ReadRegQuoted(text, at, u']');
}

// The value's line, with the lines it continues onto (a trailing backslash) joined.
QString JoinedValueLine(QByteArrayView first, LineCursor& lines)
{
    QString joined = QString::fromUtf8(first);
    QByteArrayView more;
    while (joined.endsWith(u'\\') && lines.Next(more)) {
        joined.chop(1);
        joined += QString::fromUtf8(more).trimmed();
    }
    return joined;
}

// A value line "name"=data or @=data: its name, and where the data starts.
std::optional<QString> ValueName(QStringView line, qsizetype& at)
{
    std::optional<QString> name;
    if (line.startsWith(u'@')) {
        name = QString();
        at = 1;
    } else {
        at = 1;
        name = ReadRegQuoted(line, at, u'"');
    }
    if (!name || at >= line.size() || line[at] != u'=')
        return std::nullopt;
    ++at;
    return name;
}

} // namespace

std::optional<QString> ReadRegQuoted(QStringView line, qsizetype& at, QChar close)
{
    QString text;
    while (at < line.size()) {
        const QChar c = line[at++];
        if (c == close)
            return text;
        if (c == u'\\' && at < line.size())
            text.append(QChar(ReadEscape(line, at)));
        else
            text.append(c);
    }
    return std::nullopt;
}

std::optional<RegistryValue> FindSystemRegValue(QByteArrayView text, QStringView keyPath, QStringView valueName)
{
    LineCursor lines(text);
    QByteArrayView line;
    bool inKey = false;
    while (lines.Next(line)) {
        if (line.startsWith('[')) {
            const std::optional<QString> key = SectionKey(line);
            inKey = key && key->compare(keyPath, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inKey || !(line.startsWith('"') || line.startsWith('@')))
            continue;
        const QString joined = JoinedValueLine(line, lines);
        qsizetype at = 0;
        const std::optional<QString> name = ValueName(joined, at);
        if (name && name->compare(valueName, Qt::CaseInsensitive) == 0)
            return ParseData(QStringView(joined).mid(at));
    }
    return std::nullopt;
}
