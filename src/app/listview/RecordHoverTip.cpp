#include "RecordHoverTip.h"

#include "HoverPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

constexpr int kOffset = 16; // below the pointer, clear of its arrow

} // namespace

RecordHoverTip::RecordHoverTip(QWidget* parent) : QFrame(parent, Qt::ToolTip | Qt::BypassGraphicsProxyWidget)
{
    setObjectName(QStringLiteral("recordHoverTip"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    m_title = new QLabel(this);
    m_title->setTextFormat(Qt::PlainText);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_map = new QLabel(this);
    m_map->setAlignment(Qt::AlignCenter);
    m_players = new QLabel(this);
    m_players->setTextFormat(Qt::RichText);
    layout->addWidget(m_title);
    layout->addWidget(m_map);
    layout->addWidget(m_players);
}

void RecordHoverTip::ShowPicture(const QString& title, const HoverPicture& picture, const QPoint& globalPos)
{
    m_title->setText(title);
    m_map->setPixmap(QPixmap::fromImage(picture.map));
    m_players->setText(HoverPlayersHtml(picture.sides));
    m_players->setVisible(!picture.sides.isEmpty());
    adjustSize();
    QPoint at = globalPos + QPoint(kOffset / 2, kOffset);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        if (at.x() + width() > area.right())
            at.setX(std::max(area.left(), area.right() - width()));
        if (at.y() + height() > area.bottom())
            at.setY(std::max(area.top(), globalPos.y() - height() - 4));
    }
    move(at);
    show();
    raise();
}

void RecordHoverTip::hideEvent(QHideEvent* event)
{
    m_path.clear();
    QFrame::hideEvent(event);
}
