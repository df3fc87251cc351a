#pragma once

#include "RecordRepair.h"

#include <string>

// The repair as the command line runs it over a folder of records at once.

// Repairs the record at path, with the backup beside it, when its first field is 0. A record whose
// first field is readable and not 0 is left alone, without even a backup copy: it reports
// NothingToRepair. Anything else goes to the repair itself, which names what failed.
Mgx::RepairCode RepairIfUnfinished(const std::string& path);

// Whether the outcome is a failure the exit status reports; a record that needed no repair is not.
bool RepairFailed(Mgx::RepairCode code);

// The outcome in Chinese on one line (the panel's message, without its line break).
std::string RepairOutcomeText(Mgx::RepairCode code, const std::string& path);

// "FILE: outcome", or with json the object {file, repair, message}.
std::string RepairReportLine(const std::string& file, Mgx::RepairCode code, bool json);
