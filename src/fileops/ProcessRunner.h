#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// One program to start: never a shell string, always a program and its arguments.
struct ProcessCommand {
    QString program;
    QStringList arguments;
    QString workingFolder; // empty: the caller's own

    bool operator==(const ProcessCommand&) const = default;
};

// The one way the program starts other programs (the game, the RAR tool). Callers build the
// command with a pure function and hand it here; tests hand in a RecordingProcessRunner.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;

    // Starts the program and returns at once; false when it could not be started.
    virtual bool StartDetached(const ProcessCommand& command) = 0;

    // Starts the program without a window, waits for it and returns its exit code, or -1 when it
    // could not be started or did not end normally.
    virtual int RunAndWait(const ProcessCommand& command) = 0;

    // Runs the program without input, waits a few seconds at most and returns the start of what
    // it wrote to its output and error channels, or nothing when it did not run. Used to tell
    // tools of the same name apart by their banner. A runner that cannot read output says nothing.
    virtual std::optional<QByteArray> ReadOutput(const ProcessCommand& command)
    {
        Q_UNUSED(command);
        return std::nullopt;
    }
};

// Starts real processes with QProcess.
class QtProcessRunner : public ProcessRunner {
public:
    bool StartDetached(const ProcessCommand& command) override;
    int RunAndWait(const ProcessCommand& command) override;
    std::optional<QByteArray> ReadOutput(const ProcessCommand& command) override;
};
