#include "CKorvaleApp.h"

#include "AppFolders.h"
#include "CMainFrame.h"
#include "KorvaleArtwork.h"
#include "Splash.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool CKorvaleApp::IsUsableStyleSheet(const QString& text)
{
    if (text.trimmed().isEmpty())
        return false;
    int depth = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char('}') && --depth < 0)
            return false;
    }
    return depth == 0;
}

bool CKorvaleApp::LoadSkin(QApplication& application, const QString& fileName)
{
    QFile file(AppFolders::Locate(fileName));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    // A theme is a few kilobytes; anything far larger is not ours.
    constexpr qint64 largestSkin = 1 << 20;
    if (file.size() > largestSkin)
        return false;
    const QString text = QString::fromUtf8(file.readAll());
    if (!IsUsableStyleSheet(text))
        return false;
    application.setStyleSheet(text);
    return true;
}

bool CKorvaleApp::LoadQtTranslations(QApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

CKorvaleApp::CKorvaleApp(UserPrompt& prompt)
    : m_prompt(prompt)
{
}

CKorvaleApp::~CKorvaleApp() = default;

bool CKorvaleApp::InitInstance(QApplication& application, const QStringList& arguments)
{
    LoadSkin(application, AppFolders::skinFile);
    LoadQtTranslations(application);
    InitKorvaleArtwork();
    QApplication::setApplicationName(Title());
    QApplication::setOrganizationName(Title());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/korvale.png")));
    Splash::Enable();
    m_request = InterpretCommandLine(arguments, QDir::currentPath());
    m_frame = std::make_unique<CMainFrame>(m_commands, m_prompt, m_document);
    if (m_listFactory)
        m_listFactory(*m_frame, m_commands, m_request);
    m_frame->RestorePlacement();
    m_frame->show();
    m_frame->repaint();
    return true;
}
