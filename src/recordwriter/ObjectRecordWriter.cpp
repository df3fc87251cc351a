#include "ObjectRecordWriter.h"

#include "ByteBuilder.h"

#include "RecordLayout.h"

#include <stdexcept>

namespace Mgx {

using namespace ObjectRecordLayout;

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
            out.skip(HdLaterMovingEnd);
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
    m_out.skip(BeforePosition);
    m_out.f32(m_object.x);
    m_out.f32(m_object.y);
    m_out.skip(BeforeResourceKind);
    m_out.i16(m_object.resourceKind);
    using namespace LateHdBlockLayout;
    if (m_format.hdFrom(EmptySpriteListFrom)) {
        m_out.skip(LongerAfterResourceKind - 1);
        m_out.u8(m_object.emptySpriteList ? EmptySpriteListMark : 0);
    } else if (m_format.hdFrom(LongerPlacementFrom)) {
        m_out.skip(LongerAfterResourceKind);
    } else {
        m_out.skip(m_format.hd() ? HdAfterResourceKind : AfterResourceKind);
    }
}

// Later UserPatch releases end every empty sprite list without the stretch that follows a full
// one; HD from 12.50 only one its placement marks.
bool ObjectRecordWriter::SpriteListEnded() const
{
    if (m_object.motionStretch != 0)
        return false;
    if (m_format.laterUserPatch())
        return true;
    return m_format.hdFrom(LateHdBlockLayout::EmptySpriteListFrom) && m_object.emptySpriteList;
}

void ObjectRecordWriter::WriteMotion()
{
    m_out.i8(m_object.motionStretch);
    switch (m_object.motionStretch) {
    case 0:
        m_out.skip(SpriteStateNone);
        break;
    case 1:
        m_out.skip(SpriteStateOne);
        break;
    case 2:
        m_out.skip(SpriteStateTwo);
        m_out.skip(m_object.recordKind == ObjectKind::Animated ? SpriteStateTwoAnimated : SpriteStateTwoOther);
        break;
    default:
        break;
    }
}

void ObjectRecordWriter::WritePath()
{
    if (!SpriteListEnded()) {
        m_out.skip(BeforeSpriteEnd);
        m_out.i16(m_object.pathStretch);
        switch (m_object.pathStretch) {
        case 0:
            m_out.skip(SpriteEndNone);
            break;
        case SpriteEndOneKey:
            m_out.skip(SpriteEndOne);
            break;
        case SpriteEndTwoKey:
            m_out.skip(SpriteEndTwo);
            break;
        default:
            break;
        }
    }
    m_out.skip(BeforeWaypoints);
    m_out.i32(m_object.waypoints);
    m_out.skip(AfterWaypointCount);
    if (m_object.waypoints != 0)
        m_out.skipSigned32((m_format.hdLater ? HdLaterWaypointSize : WaypointSize) * std::int64_t{m_object.waypoints} + WaypointTrailer);
    m_out.skip(AfterPath);
}

void ObjectRecordWriter::WriteCombat()
{
    m_out.skip(m_format.hdLater ? HdLaterBeforeCombatFlag : m_format.hd() ? HdBeforeCombatFlag : BeforeCombatFlag);
    m_out.i16(m_object.combatFlag);
    if (m_object.combatFlag != 0) {
        m_out.skip(m_format.userPatch() ? UserPatchFirstActionState : FirstActionState);
        m_out.i16(m_object.combatExtraFlag);
        if (m_object.combatExtraFlag != 0)
            m_out.skip(m_format.userPatch() ? UserPatchSecondActionState : SecondActionState);
        m_out.skip(AfterActionStates);
        for (const std::int16_t type : TypesWithExtra)
            if (type == m_object.objectTypeId)
                m_out.skip(TypeExtra);
    }
    m_out.skip(AfterCombat);
    m_out.u8(m_object.combatTailFlag);
    m_out.skip(m_object.combatTailFlag != 0 ? CombatTailSet : CombatTailClear);
}

void ObjectRecordWriter::WriteAction()
{
    m_out.u8(m_object.actionFlag);
    if (m_object.actionFlag == 0) {
        m_out.skip(NoAction);
        return;
    }
    m_out.u8(m_object.actionKind);
    m_out.i8(m_object.actionLength);
    m_out.skip(ActionHead);
    m_out.i8(m_object.actionTailKind);
    m_out.skip(AfterActionTailKind);
    if (m_object.actionKind == ObjectKind::Living)
        m_out.skip(LivingActionExtra);
    if (m_object.actionKind == ObjectKind::Building)
        m_out.skip(BuildingActionExtra);
    m_out.skipSigned32(std::int64_t{m_object.actionLength} + ActionBody);
    m_out.i16(m_object.firstActionValues);
    m_out.skipSigned32(ActionValueSize * std::int64_t{m_object.firstActionValues});
    m_out.i16(m_object.secondActionValues);
    m_out.skipSigned32(ActionValueSize * std::int64_t{m_object.secondActionValues});
    m_out.skip(AfterActionValues);
    if (m_object.actionTailKind == LongActionTail)
        m_out.skip(LongActionTailSize);
    if (m_object.actionTailKind == ShortActionTail)
        m_out.skip(ShortActionTailSize);
}

void ObjectRecordWriter::WriteTail()
{
    m_out.skip(AfterAction);
    m_out.i32(m_object.tailFlag);
    if (m_object.tailFlag == 0) {
        m_out.skip(NoUnitAi);
    } else {
        m_out.skip(UnitAiHead);
        m_out.i32(m_object.tailExtraFlag);
        if (m_object.tailExtraFlag != 0)
            m_out.skip(UnitAiExtra);
        m_out.skip(m_format.hd() ? HdUnitAiTail : UnitAiTail);
    }
    m_out.skip(AfterUnitAi);
    if (m_object.recordKind != ObjectKind::Living)
        m_out.skip(m_format.hdLater ? HdLaterClosing : Closing);
}

} // namespace Mgx
