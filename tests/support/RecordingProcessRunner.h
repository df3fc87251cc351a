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
    QByteArray output; // what readOutput answers while startResult is true
    QList<ProcessCommand> read;

    bool startDetached(const ProcessCommand& command) override
    {
        detached.append(command);
        return startResult;
    }
    int runAndWait(const ProcessCommand& command) override
    {
        waited.append(command);
        return startResult ? exitCode : -1;
    }
    std::optional<QByteArray> readOutput(const ProcessCommand& command) override
    {
        read.append(command);
        return startResult ? std::optional<QByteArray>(output) : std::nullopt;
    }
};
