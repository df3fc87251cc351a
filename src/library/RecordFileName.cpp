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

bool IsRecordFileName(const QString& fileName)
{
    // .mgz: UserPatch 1.4 and 1.5 write their records under their own extension.
    const QString extension = ListedExtension(fileName);
    return extension == u"mgx" || extension == u"mgz";
}
