#include "ListEntryText.h"

#include "RecordFileName.h"

namespace {

constexpr int kMaxGroupedDigits = 128;

} // namespace

MgxItemKind ClassifyEntry(bool isDirectory, const QString& fileName)
{
    if (isDirectory)
        return MgxItemKind::Folder;
    if (IsRecordFileName(fileName))
        return MgxItemKind::Record;
    const QString extension = ListedExtension(fileName);
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

QString ListCountText(int entries, int selected)
{
    const QString count = QStringLiteral("%1 个对象").arg(entries);
    return selected > 0 ? count + QStringLiteral("，已选 %1 个").arg(selected) : count;
}
