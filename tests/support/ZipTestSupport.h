#pragma once

#include "ProgressSink.h"

#include <QString>
#include <QStringList>

#include <functional>

// A progress sink that records the names it is shown and cancels at a chosen step, or runs an
// action when a step begins.
class ScriptedProgress : public ProgressSink {
public:
    int cancelAt = -1;
    std::function<void(int)> onAdvance;
    QStringList names;
    int starts = 0;
    int finishes = 0;

    void Start(const QString&, int) override { ++starts; }
    bool Advance(int done, const QString& name) override
    {
        names.append(name);
        if (onAdvance)
            onAdvance(done);
        return done != cancelAt;
    }
    void Finish() override { ++finishes; }
};
