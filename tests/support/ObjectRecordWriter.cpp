#include "ObjectRecordWriter.h"

#include "ByteBuilder.h"

#include <stdexcept>

namespace korvale::test {

void ObjectRecordWriter::Write(const ObjectRecordBlueprint& object, ByteBuilder& out)
{
    if (object.recordKind == 0)
        throw std::invalid_argument("a record kind of 0 ends the object group");
    ObjectRecordWriter writer(object, out);
    const std::uint8_t kind = object.recordKind;
    out.u8(kind);
    writer.writePlacement();
    if (kind == 10)
        return;
    writer.writeMotion();
    if (kind == 20)
        return;
    writer.writePath();
    if (kind == 30)
        return;
    writer.writeCombat();
    writer.writeAction();
    writer.writeTail();
}

void ObjectRecordWriter::writePlacement()
{
    m_out.u8(m_object.owner);
    m_out.i16(m_object.objectTypeId);
    m_out.skip(19);
    m_out.f32(m_object.x);
    m_out.f32(m_object.y);
    m_out.skip(12);
    m_out.i16(m_object.resourceKind);
    m_out.skip(18);
}

void ObjectRecordWriter::writeMotion()
{
    m_out.i8(m_object.u);
    switch (m_object.u) {
    case 0:
        m_out.skip(4);
        break;
    case 1:
        m_out.skip(8);
        break;
    case 2:
        m_out.skip(13);
        m_out.skip(m_object.recordKind == 20 ? 25 : 12);
        break;
    default:
        break;
    }
}

void ObjectRecordWriter::writePath()
{
    m_out.skip(7);
    m_out.i16(m_object.v);
    switch (m_object.v) {
    case 0:
        m_out.skip(4);
        break;
    case 256:
        m_out.skip(21);
        break;
    case 512:
        m_out.skip(38);
        break;
    default:
        break;
    }
    m_out.skip(43);
    m_out.i32(m_object.waypoints);
    m_out.skip(8);
    if (m_object.waypoints != 0)
        m_out.skipSigned32(44 * std::int64_t{m_object.waypoints} + 24);
    m_out.skip(64);
}

void ObjectRecordWriter::writeCombat()
{
    m_out.skip(4);
    m_out.i16(m_object.w);
    if (m_object.w != 0) {
        m_out.skip(37);
        m_out.i16(m_object.w2);
        if (m_object.w2 != 0)
            m_out.skip(47);
        m_out.skip(4);
        const std::int16_t type = m_object.objectTypeId;
        if (type == 50 || type == 276 || type == 199)
            m_out.skip(4);
    }
    m_out.skip(10);
    m_out.u8(m_object.h1);
    m_out.skip(m_object.h1 != 0 ? 6 : 5);
}

void ObjectRecordWriter::writeAction()
{
    m_out.u8(m_object.h2);
    if (m_object.h2 == 0) {
        m_out.skip(12);
        return;
    }
    m_out.u8(m_object.d1);
    m_out.i8(m_object.d2);
    m_out.skip(10 + 71);
    m_out.i8(m_object.d3);
    m_out.skip(2);
    if (m_object.d1 == 70)
        m_out.skip(70);
    if (m_object.d1 == 80)
        m_out.skip(85);
    m_out.skipSigned32(std::int64_t{m_object.d2} + 67);
    m_out.i16(m_object.e1);
    m_out.skipSigned32(4 * std::int64_t{m_object.e1});
    m_out.i16(m_object.e2);
    m_out.skipSigned32(4 * std::int64_t{m_object.e2});
    m_out.skip(118);
    if (m_object.d3 == 3)
        m_out.skip(97);
    if (m_object.d3 == 4)
        m_out.skip(15);
}

void ObjectRecordWriter::writeTail()
{
    m_out.skip(11);
    m_out.i32(m_object.k);
    if (m_object.k == 0) {
        m_out.skip(1);
    } else {
        m_out.skip(112);
        m_out.i32(m_object.k2);
        if (m_object.k2 != 0)
            m_out.skip(24);
        m_out.skip(53);
    }
    m_out.skip(30);
    if (m_object.recordKind != 70)
        m_out.skip(127);
}

} // namespace korvale::test
