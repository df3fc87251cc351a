#pragma once

#include <cstdint>
#include <optional>

// The lock keys' state for the status bar. Only an X11 display tells it (through the keyboard
// LEDs); elsewhere nothing is known and the panes stay greyed.
struct KeyLockState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;

    bool operator==(const KeyLockState&) const = default;

    // From the X server's LED mask: LED 1 is Caps Lock, 2 Num Lock, 3 Scroll Lock.
    static KeyLockState FromLedMask(std::uint32_t mask);
    // The current state, or nothing when the display does not tell it.
    static std::optional<KeyLockState> Read();
};
