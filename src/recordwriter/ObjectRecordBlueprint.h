#pragma once

#include <cstdint>

namespace Mgx {

// One object that exists when the game starts. Which of the fields are written depends on
// recordKind (see ObjectKind): a decoration ends after the placement, an animated object after the
// motion stretch, a moving one after the path stretch, a living one has no closing 127 bytes, and
// every other non-zero kind (buildings and beyond) writes everything.
struct ObjectRecordBlueprint {
    std::uint8_t recordKind = 10; // never 0: a 0 ends the object group
    std::uint8_t owner = 0;       // 0 = nature, else the player number
    std::int16_t objectTypeId = 0;
    float x = 0.0f;
    float y = 0.0f;
    std::int16_t resourceKind = 0;
    // HD from 12.50: the placement's last byte is 1 where the sprite list is empty; with a motion
    // stretch of 0 the record then lacks the stretch that ends a list with an entry.
    bool emptySpriteList = false;

    // Beyond decorations: 0, 1 and 2 select a short, medium or long motion stretch, anything else none.
    std::int8_t motionStretch = 0;
    // Beyond animated objects.
    std::int16_t pathStretch = 0; // 0, 256 and 512 select a stretch, anything else none
    std::int32_t waypoints = 0;   // the count of 44-byte entries (and 24 more bytes when not 0)
    // Beyond moving objects.
    std::int16_t combatFlag = 0;      // not 0: a 37-byte stretch, the extra flag and the type-dependent tail follow
    std::int16_t combatExtraFlag = 0; // not 0: 47 more bytes
    std::uint8_t combatTailFlag = 0;  // not 0: 6 bytes follow, else 5
    std::uint8_t actionFlag = 0;      // not 0: the action stretch follows, else 12 bytes
    std::uint8_t actionKind = 0;      // 70 and 80 add 70 and 85 bytes
    std::int8_t actionLength = 0;     // the stretch after it is this + 67 bytes
    std::int8_t actionTailKind = 0;   // 3 and 4 add 97 and 15 bytes at the end
    std::int16_t firstActionValues = 0; // counts of int32 values
    std::int16_t secondActionValues = 0;
    std::int32_t tailFlag = 0;      // 0: one byte follows; else the 112-byte stretch, the extra flag and 53 bytes
    std::int32_t tailExtraFlag = 0; // not 0: 24 more bytes

    static ObjectRecordBlueprint At(std::uint8_t recordKind, std::uint8_t owner, std::int16_t objectTypeId, float x,
                                    float y, std::int16_t resourceKind = 0)
    {
        ObjectRecordBlueprint object;
        object.recordKind = recordKind;
        object.owner = owner;
        object.objectTypeId = objectTypeId;
        object.x = x;
        object.y = y;
        object.resourceKind = resourceKind;
        return object;
    }
};

} // namespace Mgx
