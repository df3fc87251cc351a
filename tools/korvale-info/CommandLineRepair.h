#pragma once

#include "RecordRepair.h"

#include <string>

// The repair as the command line runs it over a folder of records at once.

// Repairs the record at path, with the backup beside it, when its first field is 0. A record whose
// first field is readable and not 0 is left alone, without even a backup copy: it reports
// NothingToRepair. Anything else goes to the repair itself, which names what failed.
// The backup goes to the first free name (FreeRepairBackupPath), which lands in backupPath.
Mgx::RepairCode RepairIfUnfinished(const std::string& path, std::string* backupPath = nullptr);

// Whether the outcome is a failure the exit status reports; a record that needed no repair is not.
bool RepairFailed(Mgx::RepairCode code);

// The outcome in Chinese on one line (the panel's message, without its line break).
// backupPath is the backup the repair made; empty for the usual name.
std::string RepairOutcomeText(Mgx::RepairCode code, const std::string& path, const std::string& backupPath = {});

// "FILE: outcome", or with json the object {file, repair, message}.
std::string RepairReportLine(const std::string& file, Mgx::RepairCode code, bool json, const std::string& backupPath = {});
