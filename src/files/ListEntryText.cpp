#include "ListEntryText.h"

namespace {

constexpr int kMaxGroupedDigits = 128;

// Every file a record of the game is written to: The Conquerors and UserPatch 1.2 (.mgx), UserPatch
// 1.4 and 1.5 (.mgz), HD releases before 4.6 (.mgx2, and .msx for records and saved games alike),
// HD 4.6 and later and the Definitive Edition (.aoe2record), and Age of Kings (.mgl). Those the
// reader cannot read are listed all the same: opening one says which game wrote it.
constexpr const char16_t* kRecordExtensions[] = {u"mgx", u"mgz", u"mgx2", u"msx", u"aoe2record", u"mgl"};
constexpr qsizetype kLongestExtension = 10;

QChar AsciiLower(QChar c)
{
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

} // namespace

MgxItemKind ClassifyEntry(bool isDirectory, const QString& fileName)
{
    if (isDirectory)
        return MgxItemKind::Folder;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || fileName.size() - dot - 1 > kLongestExtension)
        return MgxItemKind::NotListed;
    QString extension = fileName.mid(dot + 1);
    for (QChar& c : extension)
        c = AsciiLower(c);
    for (const char16_t* record : kRecordExtensions)
        if (extension == record)
            return MgxItemKind::Record;
    if (extension == u"zip")
        return MgxItemKind::Zip;
    if (extension == u"rar")
        return MgxItemKind::Rar;
    return MgxItemKind::NotListed;
}

QString FormatSizeText(quint64 byteCount, const QLocale& locale)
{
    quint64 kilobytes = 1;
    if (byteCount > 1024)
        kilobytes = (byteCount >> 10) + ((byteCount & 0x3FF) != 0 ? 1 : 0);
    return GroupThousands(QString::number(kilobytes), locale) + QStringLiteral(" KB");
}

QString GroupThousands(const QString& digits, const QLocale& locale)
{
    const QString negative = locale.negativeSign();
    const QString decimal = locale.decimalPoint();
    const QString separator = locale.groupSeparator();

    QString integer = digits;
    QString sign;
    if (!negative.isEmpty() && integer.startsWith(negative)) {
        sign = negative;
        integer.remove(0, negative.size());
    }
    QString fraction;
    const qsizetype decimalAt = decimal.isEmpty() ? -1 : integer.indexOf(decimal);
    if (decimalAt >= 0) {
        fraction = integer.mid(decimalAt);
        integer.truncate(decimalAt);
    }
    if (separator.isEmpty() || integer.size() < 4 || integer.size() > kMaxGroupedDigits)
        return digits;

    QString grouped;
    grouped.reserve(integer.size() + (integer.size() / 3) * separator.size());
    const qsizetype leading = integer.size() % 3;
    for (qsizetype i = 0; i < integer.size(); ++i) {
        if (i > 0 && (i - leading) % 3 == 0)
            grouped += separator;
        grouped += integer[i];
    }
    return sign + grouped + fraction;
}

QString FormatTimeText(const QDateTime& lastWrite)
{
    if (!lastWrite.isValid())
        return {};
    const QDateTime local = lastWrite.toLocalTime();
    if (!local.isValid())
        return {};
    const QDate date = local.date();
    const QTime time = local.time();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(), time.hour(),
                             time.minute(), time.second());
}
