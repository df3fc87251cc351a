#pragma once

#include "ObjectRecordBlueprint.h"

namespace korvale::test {

class ByteBuilder;

// Writes one object record, its kind byte first; which stretches follow depends on the kind.
class ObjectRecordWriter {
public:
    static void Write(const ObjectRecordBlueprint& object, ByteBuilder& out);

private:
    ObjectRecordWriter(const ObjectRecordBlueprint& object, ByteBuilder& out) : m_object(object), m_out(out) {}

    void writePlacement();
    void writeMotion();
    void writePath();
    void writeCombat();
    void writeAction();
    void writeTail();

    const ObjectRecordBlueprint& m_object;
    ByteBuilder& m_out;
};

} // namespace korvale::test
