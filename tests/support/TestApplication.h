#pragma once

#include <QGuiApplication>
#include <QtGlobal>

namespace korvale::test {

// Widgets and pictures need an application object. A test program makes one for its whole run,
// on the offscreen platform unless the environment names another. Application is QApplication
// where widgets are shown, QGuiApplication where only pictures are drawn.
template <typename Application> void EnsureApplicationOf(const char* programName)
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    new Application(argc, argv); // lives until the process ends
}

} // namespace korvale::test
