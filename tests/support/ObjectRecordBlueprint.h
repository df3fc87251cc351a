#pragma once

#include <cstdint>

namespace korvale::test {

// One object that exists when the game starts. Which of the fields are written depends on
// recordKind: kind 10 ends after the position and resource, 20 after u, 30 after the v/n stretch,
// 70 skips the 127-byte tail, and every other non-zero kind (80 and beyond) writes everything.
struct ObjectRecordBlueprint {
    std::uint8_t recordKind = 10; // never 0: a 0 ends the object group
    std::uint8_t owner = 0;       // 0 = nature, else the player number
    std::int16_t objectTypeId = 0;
    float x = 0.0f;
    float y = 0.0f;
    std::int16_t resourceKind = 0;

    // Kinds above 10: 0, 1 and 2 select a short, medium or long stretch, anything else none.
    std::int8_t u = 0;
    // Kinds above 20.
    std::int16_t v = 0;         // 0, 256 and 512 select a stretch, anything else none
    std::int32_t waypoints = 0; // the n before the 44-byte entries (and 24 more bytes when not 0)
    // Kinds above 30.
    std::int16_t w = 0;  // not 0: a 37-byte stretch, the w2 switch and the type-dependent tail follow
    std::int16_t w2 = 0; // not 0: 47 more bytes
    std::uint8_t h1 = 0; // not 0: 6 bytes follow, else 5
    std::uint8_t h2 = 0; // not 0: the d1/d2/d3/e1/e2 stretch follows, else 12 bytes
    std::uint8_t d1 = 0; // 70 and 80 add 70 and 85 bytes
    std::int8_t d2 = 0;  // the stretch after it is d2 + 67 bytes
    std::int8_t d3 = 0;  // 3 and 4 add 97 and 15 bytes at the end
    std::int16_t e1 = 0; // counts of 4-byte entries
    std::int16_t e2 = 0;
    std::int32_t k = 0;  // 0: one byte follows; else the 112-byte stretch, k2 and 53 bytes
    std::int32_t k2 = 0; // not 0: 24 more bytes

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

} // namespace korvale::test
