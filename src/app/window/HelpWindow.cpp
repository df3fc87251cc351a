#include "HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("帮助手册 - Korvale"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    // Links within the document stay here; links out of it go to the desktop if it can.
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(760, 640);
}

void HelpWindow::ShowDocument(const QString& path)
{
    m_browser->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}
