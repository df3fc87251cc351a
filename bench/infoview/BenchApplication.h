#pragma once

#include <QApplication>

// Widgets and fonts need an application; the benchmarks paint off screen.
inline void EnsureBenchApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "korvale_infoview_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}
