#pragma once

#include <QGuiApplication>

// Pictures, fonts and widgets need an application; the benchmarks paint off screen. Application
// is QApplication where widgets are built, QGuiApplication where a model only needs its icons.
template <typename Application = QGuiApplication> void EnsureBenchApplication(const char* programName)
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    new Application(argc, argv); // lives until the process ends
}
