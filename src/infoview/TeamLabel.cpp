#include "TeamLabel.h"

#include "PanelFonts.h"
#include "SlotView.h"

#include <QPainter>

TeamLabel::TeamLabel(QWidget* parent)
    : QLabel(parent)
    , m_colour(QColor::fromRgb(SlotView::ResetTeamColour))
{
    setFont(PanelFonts::TeamLabel());
    setAlignment(Qt::AlignCenter);
    // Mirrored like the map picture, so the digits sit where they do there.
    setLayoutDirection(Qt::RightToLeft);
}

void TeamLabel::SetColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

void TeamLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(m_colour);
    painter.setBrush(m_colour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QColor(64, 64, 64));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}
