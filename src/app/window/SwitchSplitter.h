#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;

// The thin bar between the information panel and the record list: one 8 x 8 arrow, kept
// vertically centred, that folds the panel away and brings it back.
class SwitchSplitter : public QWidget {
    Q_OBJECT

public:
    explicit SwitchSplitter(QWidget* parent = nullptr);

    // The panel the arrow folds.
    void SetPanel(QWidget* panel) { m_panel = panel; }
    bool PanelShown() const { return m_panelShown; }
    // The arrow's picture: the left arrow while the panel is shown, the right one while hidden.
    QString ArrowPicture() const;
    QToolButton* Arrow() const { return m_arrow; }

    QSize sizeHint() const override;

public Q_SLOTS:
    void TogglePanel();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> m_panel;
    QToolButton* m_arrow = nullptr;
    bool m_panelShown = true;
};
