#pragma once

#include <QWidget>

class InfoContainer;

// The information panel at the left of the main window. It holds the information pane and
// stretches it to its own width and down to its bottom.
class MgxInfoDlgBar : public QWidget {
    Q_OBJECT

public:
    explicit MgxInfoDlgBar(QWidget* parent = nullptr);

    InfoContainer& Container() const { return *m_container; }
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    InfoContainer* m_container = nullptr;
};
