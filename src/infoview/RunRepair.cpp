#include "RunRepair.h"

#include "RecordRepair.h"
#include "RepairMessage.h"
#include "UserPrompt.h"

void RunRepair(const std::string& path, UserPrompt& prompt)
{
    const std::string backupPath = Mgx::FreeRepairBackupPath(path);
    const Mgx::RepairCode code = Mgx::RepairRecordFile(path, backupPath);
    prompt.ShowMessage(UserPrompt::MessageKind::Plain, RepairMessageFor(code, path, backupPath));
}
