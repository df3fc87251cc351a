#pragma once

#include <functional>

// Named points inside the file routines (a temporary file filled, a copy placed, a source about to
// be removed). Tests hang an action on them to kill the process there or to change the disk under
// the routine, and then check that the files are whole. Without a hook nothing happens.
namespace StepHook {

using Hook = std::function<void(const char* step)>;

// Sets the hook for the whole process (an empty one removes it).
void Set(Hook hook);

void Reach(const char* step);

} // namespace StepHook
