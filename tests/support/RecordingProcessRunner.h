#pragma once

#include "ProcessRunner.h"

#include <QByteArray>
#include <QList>

#include <optional>

// Starts nothing: records every command and answers from a script.
class RecordingProcessRunner : public ProcessRunner {
public:
    bool startResult = true;
    int exitCode = 0;
    QList<ProcessCommand> detached;
    QList<ProcessCommand> waited;
    QByteArray output; // what ReadOutput answers while startResult is true
    QList<ProcessCommand> read;

    bool StartDetached(const ProcessCommand& command) override
    {
        detached.append(command);
        return startResult;
    }
    int RunAndWait(const ProcessCommand& command) override
    {
        waited.append(command);
        return startResult ? exitCode : -1;
    }
    std::optional<QByteArray> ReadOutput(const ProcessCommand& command) override
    {
        read.append(command);
        return startResult ? std::optional<QByteArray>(output) : std::nullopt;
    }
};
