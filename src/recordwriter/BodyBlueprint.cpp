#include "BodyBlueprint.h"

#include "ByteBuilder.h"

namespace Mgx {

std::vector<std::uint8_t> DecoyOperations()
{
    ByteBuilder out;
    out.I32(OperationType::TimeStep);
    out.I32(77777);
    out.I32(0);
    out.Skip(BodyLayout::EmptyTimeStepTail);
    out.I32(OperationType::Chat);
    out.I32(BodyLayout::ChatFromPlayer);
    out.String32("decoy");
    return out.Data();
}

Command ResignCommand(std::uint8_t printedNumber, std::uint8_t slot)
{
    return Command{{CommandByte::Resign, printedNumber, slot, 0x00}};
}

Command ResearchCommand(std::uint16_t slot, std::uint16_t technology)
{
    // Bytes 1 to 7 hold padding and the researching building's id, which the scan passes over.
    return Command{{CommandByte::Research, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00, static_cast<std::uint8_t>(slot),
                    static_cast<std::uint8_t>(slot >> 8), static_cast<std::uint8_t>(technology),
                    static_cast<std::uint8_t>(technology >> 8)}};
}

} // namespace Mgx
