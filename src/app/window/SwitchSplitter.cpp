#include "SwitchSplitter.h"

#include "DialogUnits.h"

#include <QResizeEvent>
#include <QToolButton>

namespace {

constexpr int arrowSize = 8;

} // namespace

SwitchSplitter::SwitchSplitter(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("switchSplitter"));
    setFixedWidth(sizeHint().width());
    m_arrow = new QToolButton(this);
    m_arrow->setObjectName(QStringLiteral("switchArrow"));
    m_arrow->setAutoRaise(true);
    // The 8 x 8 picture fills the button; a theme's padding would squeeze it away.
    m_arrow->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; margin: 0; background: transparent; }"));
    m_arrow->setCursor(Qt::PointingHandCursor);
    m_arrow->setIconSize(QSize(arrowSize, arrowSize));
    m_arrow->setFixedSize(arrowSize, arrowSize);
    m_arrow->setIcon(QIcon(ArrowPicture()));
    m_arrow->setToolTip(QStringLiteral("折叠或展开信息面板"));
    connect(m_arrow, &QToolButton::clicked, this, &SwitchSplitter::TogglePanel);
}

QString SwitchSplitter::ArrowPicture() const
{
    return m_panelShown ? QStringLiteral(":/icons/switch-fold.png") : QStringLiteral(":/icons/switch-unfold.png");
}

QSize SwitchSplitter::sizeHint() const { return {DialogUnits::ToPixelsX(8), 100}; }

void SwitchSplitter::TogglePanel()
{
    if (!m_panel)
        return;
    m_panelShown = !m_panelShown;
    m_panel->setVisible(m_panelShown);
    m_arrow->setIcon(QIcon(ArrowPicture()));
}

void SwitchSplitter::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    m_arrow->move((size.width() - arrowSize) / 2, (size.height() - arrowSize) / 2);
}
