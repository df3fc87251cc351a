#pragma once

#include <QColor>
#include <QLabel>

// The small square that shows a player's team: filled and outlined in the player's colour,
// dark grey digits on top.
class TeamLabel : public QLabel {
    Q_OBJECT

public:
    explicit TeamLabel(QWidget* parent = nullptr);

    void SetColour(const QColor& colour);
    QColor Colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};
