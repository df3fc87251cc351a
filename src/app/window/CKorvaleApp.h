#pragma once

#include "CommandLine.h"
#include "CommandTable.h"
#include "MgxListViewDoc.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CMainFrame;
class QApplication;
class QWidget;
class UserPrompt;

// The program's start: the theme, the settings root, the splash, the main window with its
// record list, and what the command line asks for.
class CKorvaleApp {
public:
    static QString Title() { return QStringLiteral("Korvale"); }

    // Applies the style sheet `fileName` found beside the program or in the data folder. A
    // missing, unreadable or malformed file keeps the system look; false then.
    static bool LoadSkin(QApplication& application, const QString& fileName);
    // Whether a style sheet text can be applied as a whole: not empty, braces balanced.
    static bool IsUsableStyleSheet(const QString& text);
    // Qt's own texts (message box buttons, the file dialogs) in the interface's language, Simplified
    // Chinese; false when Qt's translations are not installed, and they stay English.
    static bool LoadQtTranslations(QApplication& application);

    // Builds the record list into the main window: it must call SetRecordList and
    // SetNavigationTarget, register the list's commands and start the listing the request asks
    // for. Without one the window shows an empty list area.
    using ListFactory = std::function<void(CMainFrame&, CommandTable&, const StartRequest&)>;

    explicit CKorvaleApp(UserPrompt& prompt);
    ~CKorvaleApp();

    void SetListFactory(ListFactory factory) { m_listFactory = std::move(factory); }

    // The start-up steps in order; false ends the program.
    bool InitInstance(QApplication& application, const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CommandTable& Commands() { return m_commands; }
    const StartRequest& GetStartRequest() const { return m_request; }

private:
    UserPrompt& m_prompt;
    CommandTable m_commands;
    MgxListViewDoc m_document;
    StartRequest m_request;
    ListFactory m_listFactory;
    std::unique_ptr<CMainFrame> m_frame;
};
