#pragma once

#include "ObjectRecordBlueprint.h"

namespace Mgx {

class ByteBuilder;

// Writes one object record, its kind byte first; which stretches follow depends on the kind.
class ObjectRecordWriter {
public:
    static void Write(const ObjectRecordBlueprint& object, ByteBuilder& out);

private:
    ObjectRecordWriter(const ObjectRecordBlueprint& object, ByteBuilder& out) : m_object(object), m_out(out) {}

    void WritePlacement();
    void WriteMotion();
    void WritePath();
    void WriteCombat();
    void WriteAction();
    void WriteTail();

    const ObjectRecordBlueprint& m_object;
    ByteBuilder& m_out;
};

} // namespace Mgx
