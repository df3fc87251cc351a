#include "RunRepair.h"

#include "RecordRepair.h"
#include "UserPrompt.h"

#include <QString>

namespace Mgx {

void RunRepair(const std::string& path, UserPrompt& prompt)
{
    const std::string backupPath = RepairBackupPath(path);
    const RepairCode code = RepairRecordFile(path, backupPath);
    prompt.showMessage(UserPrompt::MessageKind::Plain, QString::fromStdString(RepairMessage(code, backupPath)));
}

} // namespace Mgx
