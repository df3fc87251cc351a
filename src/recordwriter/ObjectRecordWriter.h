#pragma once

#include "ObjectRecordBlueprint.h"
#include "RecordFormat.h"

namespace Mgx {

class ByteBuilder;

// Writes one object record, its kind byte first; which stretches follow depends on the kind.
class ObjectRecordWriter {
public:
    static void Write(const ObjectRecordBlueprint& object, ByteBuilder& out, const RecordFormat& format = {});

private:
    ObjectRecordWriter(const ObjectRecordBlueprint& object, ByteBuilder& out, const RecordFormat& format)
        : m_object(object), m_out(out), m_format(format) {}

    void WritePlacement();
    void WriteMotion();
    bool SpriteListEnded() const;
    void WritePath();
    void WriteCombat();
    void WriteAction();
    void WriteTail();

    const ObjectRecordBlueprint& m_object;
    ByteBuilder& m_out;
    RecordFormat m_format;
};

} // namespace Mgx
