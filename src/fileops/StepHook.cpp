#include "StepHook.h"

namespace {

StepHook::Hook& CurrentHook()
{
    static StepHook::Hook hook;
    return hook;
}

} // namespace

namespace StepHook {

void Set(Hook hook) { CurrentHook() = std::move(hook); }

void Reach(const char* step)
{
    if (const Hook& hook = CurrentHook())
        hook(step);
}

} // namespace StepHook
