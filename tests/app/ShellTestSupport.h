#pragma once

#include "NavigationEvent.h"

#include <QApplication>
#include <QObject>
#include <QString>

#include <utility>
#include <vector>

// One application for every widget test in this binary.
inline void EnsureShellApplication()
{
    if (!qApp) {
        static int argc = 1;
        static char name[] = "korvale_app_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

// Stands in for the record list: remembers every navigation event it is sent.
class RecordingTarget : public QObject {
public:
    std::vector<std::pair<int, QString>> events;

protected:
    void customEvent(QEvent* event) override
    {
        auto* navigation = static_cast<NavigationEvent*>(event);
        events.emplace_back(int(event->type()), navigation->path);
        navigation->result = true;
    }
};
