#include "PanelArtwork.h"

#include "KorvaleArtwork.h"
#include "PlayerKind.h"

namespace PanelArtwork {

void Load()
{
    static const bool loaded = [] {
        InitKorvaleArtwork();
        return true;
    }();
    (void)loaded;
}

QPixmap Emblem(int index)
{
    if (index < 0)
        return {};
    return QPixmap(QString::asprintf(":/emblems/emblem-%03d.png", index));
}

QPixmap KindPicture(int kind)
{
    if (kind < Mgx::PlayerKind::Human || kind > Mgx::PlayerKind::Computer)
        return {};
    return QPixmap(QStringLiteral(":/kinds/kind-%1.png").arg(kind));
}

QPixmap Eye() { return QPixmap(QStringLiteral(":/icons/eye.png")); }

QIcon Triangle(bool up)
{
    return QIcon(up ? QStringLiteral(":/icons/triangle-up.png") : QStringLiteral(":/icons/triangle-down.png"));
}

} // namespace PanelArtwork
