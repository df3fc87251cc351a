#pragma once

#include <QFrame>

class QLabel;
struct HoverPicture;

// The tip over a record in the list: its file name, its map as the compact pane draws it and its
// players by side. A window of its own, like the text tip, so it may reach past the list.
class RecordHoverTip : public QFrame {
public:
    explicit RecordHoverTip(QWidget* parent = nullptr);

    // Fills the tip and shows it just below and right of `globalPos`, kept on the screen.
    void ShowPicture(const QString& title, const HoverPicture& picture, const QPoint& globalPos);
    // The path whose picture is shown, empty while hidden.
    const QString& ShownPath() const { return m_path; }
    void SetShownPath(const QString& path) { m_path = path; }

    QLabel* TitleLabel() const { return m_title; }
    QLabel* MapLabel() const { return m_map; }
    QLabel* PlayersLabel() const { return m_players; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* m_title = nullptr;
    QLabel* m_map = nullptr;
    QLabel* m_players = nullptr;
    QString m_path;
};
