#pragma once

#include "NavigationEvent.h"
#include "TestApplication.h"

#include <QApplication>
#include <QStandardPaths>
#include <QObject>
#include <QString>

#include <utility>
#include <vector>

// One application for every widget test in this binary.
inline void EnsureShellApplication()
{
    // Whatever a window stores (the list's column layout) goes to a test profile, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    korvale::test::EnsureApplicationOf<QApplication>("korvale_app_tests");
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
