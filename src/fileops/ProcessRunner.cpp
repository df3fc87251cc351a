#include "ProcessRunner.h"

#include <QProcess>

namespace {

// The program, its arguments and its folder; it gets nothing to read.
void Prepare(QProcess& process, const ProcessCommand& command)
{
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    if (!command.workingFolder.isEmpty())
        process.setWorkingDirectory(command.workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
}

// The program runs without a console: nowhere to write to either.
void PrepareSilent(QProcess& process, const ProcessCommand& command)
{
    Prepare(process, command);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
}

} // namespace

bool QtProcessRunner::StartDetached(const ProcessCommand& command)
{
    QProcess process;
    PrepareSilent(process, command);
    return process.startDetached();
}

int QtProcessRunner::RunAndWait(const ProcessCommand& command)
{
    QProcess process;
    PrepareSilent(process, command);
    process.start();
    if (!process.waitForStarted(-1) || !process.waitForFinished(-1))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

std::optional<QByteArray> QtProcessRunner::ReadOutput(const ProcessCommand& command)
{
    QProcess process;
    Prepare(process, command);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    if (!process.waitForStarted(5000))
        return std::nullopt;
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
    }
    return process.read(64 * 1024);
}
