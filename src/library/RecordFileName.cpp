#include "RecordFileName.h"

namespace {

// Every file a record of the game is written to: The Conquerors and UserPatch 1.2 (.mgx), UserPatch
// 1.4 and 1.5 (.mgz), HD releases before 4.6 (.mgx2, and .msx for records and saved games alike),
// HD 4.6 and later and the Definitive Edition (.aoe2record), and Age of Kings (.mgl). Those the
// reader cannot read are listed all the same: opening one says which game wrote it.
constexpr const char16_t* RecordExtensions[] = {u"mgx", u"mgz", u"mgx2", u"msx", u"aoe2record", u"mgl"};
constexpr qsizetype LongestExtension = 10;

QChar AsciiLower(QChar c)
{
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

} // namespace

QString ListedExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot + 1 == fileName.size() || fileName.size() - dot - 1 > LongestExtension)
        return {};
    QString extension = fileName.mid(dot + 1);
    for (QChar& c : extension)
        c = AsciiLower(c);
    return extension;
}

bool IsRecordFileName(const QString& fileName)
{
    const QString extension = ListedExtension(fileName);
    for (const char16_t* record : RecordExtensions)
        if (extension == record)
            return true;
    return false;
}
