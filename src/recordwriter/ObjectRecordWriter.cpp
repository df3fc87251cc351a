#include "ObjectRecordWriter.h"

#include "ByteBuilder.h"

#include "RecordLayout.h"

#include <stdexcept>

namespace Mgx {

void ObjectRecordWriter::Write(const ObjectRecordBlueprint& object, ByteBuilder& out, const RecordFormat& format)
{
    if (object.recordKind == 0)
        throw std::invalid_argument("a record kind of 0 ends the object group");
    ObjectRecordWriter writer(object, out, format);
    const std::uint8_t kind = object.recordKind;
    out.u8(kind);
    writer.WritePlacement();
    if (kind == ObjectKind::Decoration)
        return;
    writer.WriteMotion();
    if (kind == ObjectKind::Animated)
        return;
    writer.WritePath();
    if (kind == ObjectKind::Moving) {
        if (format.hdLater)
            out.skip(1);
        return;
    }
    writer.WriteCombat();
    writer.WriteAction();
    writer.WriteTail();
}

void ObjectRecordWriter::WritePlacement()
{
    m_out.u8(m_object.owner);
    m_out.i16(m_object.objectTypeId);
    m_out.skip(19);
    m_out.f32(m_object.x);
    m_out.f32(m_object.y);
    m_out.skip(12);
    m_out.i16(m_object.resourceKind);
    m_out.skip(m_format.hd() ? 21 : 18);
}

void ObjectRecordWriter::WriteMotion()
{
    m_out.i8(m_object.motionStretch);
    switch (m_object.motionStretch) {
    case 0:
        m_out.skip(4);
        break;
    case 1:
        m_out.skip(8);
        break;
    case 2:
        m_out.skip(13);
        m_out.skip(m_object.recordKind == ObjectKind::Animated ? 25 : 12);
        break;
    default:
        break;
    }
}

void ObjectRecordWriter::WritePath()
{
    // Later UserPatch releases end an empty sprite list without the stretch that follows a full one.
    if (!(m_format.laterUserPatch() && m_object.motionStretch == 0)) {
        m_out.skip(7);
        m_out.i16(m_object.pathStretch);
        switch (m_object.pathStretch) {
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
    }
    m_out.skip(43);
    m_out.i32(m_object.waypoints);
    m_out.skip(8);
    if (m_object.waypoints != 0)
        m_out.skipSigned32((m_format.hdLater ? 48 : 44) * std::int64_t{m_object.waypoints} + 24);
    m_out.skip(64);
}

void ObjectRecordWriter::WriteCombat()
{
    m_out.skip(m_format.hdLater ? 7 : m_format.hd() ? 6 : 4);
    m_out.i16(m_object.combatFlag);
    if (m_object.combatFlag != 0) {
        m_out.skip(m_format.userPatch() ? 40 : 37);
        m_out.i16(m_object.combatExtraFlag);
        if (m_object.combatExtraFlag != 0)
            m_out.skip(m_format.userPatch() ? 50 : 47);
        m_out.skip(4);
        const std::int16_t type = m_object.objectTypeId;
        if (type == 50 || type == 276 || type == 199)
            m_out.skip(4);
    }
    m_out.skip(10);
    m_out.u8(m_object.combatTailFlag);
    m_out.skip(m_object.combatTailFlag != 0 ? 6 : 5);
}

void ObjectRecordWriter::WriteAction()
{
    m_out.u8(m_object.actionFlag);
    if (m_object.actionFlag == 0) {
        m_out.skip(12);
        return;
    }
    m_out.u8(m_object.actionKind);
    m_out.i8(m_object.actionLength);
    m_out.skip(10 + 71);
    m_out.i8(m_object.actionTailKind);
    m_out.skip(2);
    if (m_object.actionKind == 70)
        m_out.skip(70);
    if (m_object.actionKind == 80)
        m_out.skip(85);
    m_out.skipSigned32(std::int64_t{m_object.actionLength} + 67);
    m_out.i16(m_object.firstActionValues);
    m_out.skipSigned32(4 * std::int64_t{m_object.firstActionValues});
    m_out.i16(m_object.secondActionValues);
    m_out.skipSigned32(4 * std::int64_t{m_object.secondActionValues});
    m_out.skip(118);
    if (m_object.actionTailKind == 3)
        m_out.skip(97);
    if (m_object.actionTailKind == 4)
        m_out.skip(15);
}

void ObjectRecordWriter::WriteTail()
{
    m_out.skip(11);
    m_out.i32(m_object.tailFlag);
    if (m_object.tailFlag == 0) {
        m_out.skip(1);
    } else {
        m_out.skip(112);
        m_out.i32(m_object.tailExtraFlag);
        if (m_object.tailExtraFlag != 0)
            m_out.skip(24);
        m_out.skip(m_format.hd() ? 57 : 53);
    }
    m_out.skip(30);
    if (m_object.recordKind != ObjectKind::Living)
        m_out.skip(m_format.hdLater ? 123 : 127);
}

} // namespace Mgx
