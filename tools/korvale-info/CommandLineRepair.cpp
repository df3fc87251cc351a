#include "CommandLineRepair.h"

#include "JsonWriter.h"
#include "RepairMessage.h"
#include "Utf8Path.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

// The panel's word for this outcome is a failure; in a folder of records it is the usual case.
const char* const NoRepairNeeded = "无需修复!文件头已记录正文位置,文件未改动。";

bool FirstFieldIsSet(const std::string& path)
{
    // A FIFO or device would block the read for ever; the repair refuses those itself.
    std::error_code error;
    if (!std::filesystem::is_regular_file(Mgx::PathFromUtf8(path), error))
        return false;
    std::ifstream in(Mgx::PathFromUtf8(path), std::ios::binary);
    std::int32_t headerEnd = 0;
    return in.read(reinterpret_cast<char*>(&headerEnd), sizeof headerEnd) && headerEnd != 0;
}

std::string WithoutLineBreaks(std::string text)
{
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 2);
    return text;
}

} // namespace

Mgx::RepairCode RepairIfUnfinished(const std::string& path, std::string* backupPath)
{
    if (FirstFieldIsSet(path))
        return Mgx::RepairCode::NothingToRepair;
    const std::string backup = Mgx::FreeRepairBackupPath(path);
    if (backupPath)
        *backupPath = backup;
    return Mgx::RepairRecordFile(path, backup);
}

bool RepairFailed(Mgx::RepairCode code)
{
    return code != Mgx::RepairCode::Repaired && code != Mgx::RepairCode::NothingToRepair;
}

std::string RepairOutcomeText(Mgx::RepairCode code, const std::string& path, const std::string& backupPath)
{
    if (code == Mgx::RepairCode::NothingToRepair)
        return NoRepairNeeded;
    const std::string backup = backupPath.empty() ? Mgx::RepairBackupPath(path) : backupPath;
    return WithoutLineBreaks(RepairMessageFor(code, path, backup).toStdString());
}

std::string RepairReportLine(const std::string& file, Mgx::RepairCode code, bool json, const std::string& backupPath)
{
    const std::string message = RepairOutcomeText(code, file, backupPath);
    if (!json)
        return file + ": " + message;
    JsonWriter writer;
    writer.BeginObject();
    writer.Key("file");
    writer.Value(QString::fromStdString(file));
    writer.Key("repair");
    writer.Value(static_cast<std::int64_t>(code));
    writer.Key("message");
    writer.Value(QString::fromStdString(message));
    writer.EndObject();
    return writer.Text();
}
