#include "RecordFileName.h"

namespace {

QChar AsciiLower(QChar c)
{
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

} // namespace

QString ListedExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || fileName.size() - dot - 1 != 3)
        return {};
    QString extension = fileName.mid(dot + 1);
    for (QChar& c : extension)
        c = AsciiLower(c);
    return extension;
}

bool IsRecordFileName(const QString& fileName) { return ListedExtension(fileName) == u"mgx"; }
