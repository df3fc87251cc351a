#pragma once

#include "RecordBlueprint.h"

#include <string>
#include <vector>

namespace Mgx {

// A record file that ships with the program as an example, and the blueprint that writes it.
struct SampleRecord {
    std::string fileName;
    RecordBlueprint blueprint;
};

// The bundled samples: a 1v1 on Arabia, a 4v4 with teams, chat, age-ups, a resignation and a
// second chapter, a scenario game against two computer players, and an unfinished record whose
// first field the game left at 0.
std::vector<SampleRecord> SampleRecords();

} // namespace Mgx
