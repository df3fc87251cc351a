#pragma once

#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>
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
    // ctest runs the cases of one program in parallel processes: each keeps what it stores (the
    // list's column layout) in a profile of its own, or one would overwrite what another just stored.
    static QTemporaryDir profile;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profile.path());
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    new Application(argc, argv); // lives until the process ends
}

} // namespace korvale::test
