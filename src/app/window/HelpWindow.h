#pragma once

#include <QWidget>

class QTextBrowser;

// The help document in a window of the program's own, for a desktop that has no program to open
// an HTML file with. One window for the run: F1 again brings it to the front.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the document at path (a local HTML file) and raises the window.
    void ShowDocument(const QString& path);

    QTextBrowser& Browser() const { return *m_browser; }

private:
    QTextBrowser* m_browser;
};
