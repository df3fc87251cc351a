#pragma once

#include "RecordRepair.h"

#include <QString>

#include <string>

// The one message the user sees for each outcome of the repair.
QString RepairMessage(Mgx::RepairCode code, const std::string& backupPath);
