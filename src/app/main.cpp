// korvale [FILE.mgx | FOLDER]: the main window.

#include "CKorvaleApp.h"
#include "MessageBoxPrompt.h"
#include "ProcessRunner.h"
#include "RecordListAssembly.h"
#include "SettingsFile.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would end the program with an abort; say what is missing instead.
bool DisplayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    const auto present = [](const char* name) { const char* value = std::getenv(name); return value && *value; };
    return present("QT_QPA_PLATFORM") || present("DISPLAY") || present("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    if (!DisplayAvailable()) {
        std::fputs("korvale: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                   "Run it in a desktop session, or under xvfb-run.\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    // Fixed before anything can change the working folder, where a carried-over config.ini may be.
    const QString configPath = ConfigIniPathForThisRun();
    MessageBoxPrompt prompt;
    QtProcessRunner runner;
    RecordListAssembly list(prompt, runner, configPath);
    CKorvaleApp korvale(prompt);
    korvale.SetListFactory([&list](CMainFrame& frame, CommandTable& commands, const StartRequest& request) {
        list.Build(frame, commands, request);
    });
    if (!korvale.InitInstance(application, application.arguments().mid(1)))
        return 1;
    return application.exec();
}
