#include "PanelArtwork.h"

#include "KorvaleArtwork.h"
#include "PlayerKind.h"
#include "SlotView.h"

#include <QPainter>
#include <QPainterPath>

namespace PanelArtwork {

void Load()
{
    static const bool loaded = [] {
        InitKorvaleArtwork();
        return true;
    }();
    (void)loaded;
}

// A plain grey shield: says "a civilisation" without claiming one of the game's.
QPixmap PaintNeutralEmblem()
{
    constexpr int Size = 36;
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shield;
    shield.moveTo(5, 4);
    shield.lineTo(Size - 5, 4);
    shield.lineTo(Size - 5, Size / 2);
    shield.quadTo(Size - 5, Size - 6, Size / 2, Size - 2);
    shield.quadTo(5, Size - 6, 5, Size / 2);
    shield.closeSubpath();
    painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 2));
    painter.setBrush(QColor(0xa8, 0xa8, 0xa8));
    painter.drawPath(shield);
    return picture;
}

QPixmap Emblem(int index)
{
    if (index == NeutralEmblem)
        return PaintNeutralEmblem();
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
