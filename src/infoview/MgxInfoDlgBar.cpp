#include "MgxInfoDlgBar.h"

#include "DialogUnits.h"
#include "InfoContainer.h"

#include <QResizeEvent>

MgxInfoDlgBar::MgxInfoDlgBar(QWidget* parent)
    : QWidget(parent)
{
    m_container = new InfoContainer(this);
    m_container->setObjectName(QStringLiteral("infoContainer"));
    m_container->show();
    resize(sizeHint());
}

QSize MgxInfoDlgBar::sizeHint() const { return DialogUnits::ToPixels(QSize(270, 433)); }

void MgxInfoDlgBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int top = m_container->y();
    m_container->setGeometry(0, top, event->size().width(), event->size().height() - top);
}
