#include "BodyBlueprint.h"

#include "ByteBuilder.h"

namespace korvale::test {

std::vector<std::uint8_t> DecoyOperations()
{
    ByteBuilder out;
    out.i32(2);
    out.i32(77777);
    out.i32(0);
    out.skip(16);
    out.i32(4);
    out.i32(-1);
    out.string32("decoy");
    return out.data();
}

Command ResignCommand(std::uint8_t printedNumber, std::uint8_t slot)
{
    return Command{{0x0B, printedNumber, slot, 0x00}};
}

Command ResearchCommand(std::uint16_t slot, std::uint16_t technology)
{
    // Bytes 1 to 7 hold padding and the researching building's id, which the scan passes over.
    return Command{{0x65, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00, static_cast<std::uint8_t>(slot),
                    static_cast<std::uint8_t>(slot >> 8), static_cast<std::uint8_t>(technology),
                    static_cast<std::uint8_t>(technology >> 8)}};
}

} // namespace korvale::test
