#pragma once

#include <QString>

// The program's one document. It holds nothing and is never saved; it only gives the caption
// its title.
class MgxListViewDoc {
public:
    QString Title() const { return QStringLiteral("无标题"); }
};
