#pragma once

#include "RecordRepair.h"

#include <QString>

#include <string>

// The one message the user sees for each outcome of the repair.
QString RepairMessage(Mgx::RepairCode code, const std::string& backupPath);

// The message for a repair of the record at path whose backup went to backupPath: when the usual
// backup name was taken by an older file, it says so first.
QString RepairMessageFor(Mgx::RepairCode code, const std::string& path, const std::string& backupPath);
