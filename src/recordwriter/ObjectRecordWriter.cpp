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
    out.U8(kind);
    writer.WritePlacement();
    if (kind == ObjectKind::Decoration)
        return;
    writer.WriteMotion();
    if (kind == ObjectKind::Animated)
        return;
    writer.WritePath();
    if (kind == ObjectKind::Moving) {
        if (format.hdLater)
            out.Skip(HdLaterMovingEnd);
        return;
    }
    writer.WriteCombat();
    writer.WriteAction();
    writer.WriteTail();
}

void ObjectRecordWriter::WritePlacement()
{
    m_out.U8(m_object.owner);
    m_out.I16(m_object.objectTypeId);
    m_out.Skip(BeforePosition);
    m_out.F32(m_object.x);
    m_out.F32(m_object.y);
    m_out.Skip(BeforeResourceKind);
    m_out.I16(m_object.resourceKind);
    using namespace LateHdBlockLayout;
    if (m_format.IsHdFrom(EmptySpriteListFrom)) {
        m_out.Skip(LongerAfterResourceKind - 1);
        m_out.U8(m_object.emptySpriteList ? EmptySpriteListMark : 0);
    } else if (m_format.IsHdFrom(LongerPlacementFrom)) {
        m_out.Skip(LongerAfterResourceKind);
    } else {
        m_out.Skip(m_format.IsHd() ? HdAfterResourceKind : AfterResourceKind);
    }
}

// Later UserPatch releases end every empty sprite list without the stretch that follows a full
// one; HD from 12.50 only one its placement marks.
bool ObjectRecordWriter::SpriteListEnded() const
{
    if (m_object.motionStretch != 0)
        return false;
    if (m_format.IsLaterUserPatch())
        return true;
    return m_format.IsHdFrom(LateHdBlockLayout::EmptySpriteListFrom) && m_object.emptySpriteList;
}

void ObjectRecordWriter::WriteMotion()
{
    m_out.I8(m_object.motionStretch);
    switch (m_object.motionStretch) {
    case 0:
        m_out.Skip(SpriteStateNone);
        break;
    case 1:
        m_out.Skip(SpriteStateOne);
        break;
    case 2:
        m_out.Skip(SpriteStateTwo);
        m_out.Skip(m_object.recordKind == ObjectKind::Animated ? SpriteStateTwoAnimated : SpriteStateTwoOther);
        break;
    default:
        break;
    }
}

void ObjectRecordWriter::WritePath()
{
    if (!SpriteListEnded()) {
        m_out.Skip(BeforeSpriteEnd);
        m_out.I16(m_object.pathStretch);
        switch (m_object.pathStretch) {
        case 0:
            m_out.Skip(SpriteEndNone);
            break;
        case SpriteEndOneKey:
            m_out.Skip(SpriteEndOne);
            break;
        case SpriteEndTwoKey:
            m_out.Skip(SpriteEndTwo);
            break;
        default:
            break;
        }
    }
    m_out.Skip(BeforeWaypoints);
    m_out.I32(m_object.waypoints);
    m_out.Skip(AfterWaypointCount);
    if (m_object.waypoints != 0)
        m_out.SkipSigned32((m_format.hdLater ? HdLaterWaypointSize : WaypointSize) * std::int64_t{m_object.waypoints} + WaypointTrailer);
    m_out.Skip(AfterPath);
}

void ObjectRecordWriter::WriteCombat()
{
    m_out.Skip(m_format.hdLater ? HdLaterBeforeCombatFlag : m_format.IsHd() ? HdBeforeCombatFlag : BeforeCombatFlag);
    m_out.I16(m_object.combatFlag);
    if (m_object.combatFlag != 0) {
        m_out.Skip(m_format.IsUserPatch() ? UserPatchFirstActionState : FirstActionState);
        m_out.I16(m_object.combatExtraFlag);
        if (m_object.combatExtraFlag != 0)
            m_out.Skip(m_format.IsUserPatch() ? UserPatchSecondActionState : SecondActionState);
        m_out.Skip(AfterActionStates);
        for (const std::int16_t type : TypesWithExtra)
            if (type == m_object.objectTypeId)
                m_out.Skip(TypeExtra);
    }
    m_out.Skip(AfterCombat);
    m_out.U8(m_object.combatTailFlag);
    m_out.Skip(m_object.combatTailFlag != 0 ? CombatTailSet : CombatTailClear);
}

void ObjectRecordWriter::WriteAction()
{
    m_out.U8(m_object.actionFlag);
    if (m_object.actionFlag == 0) {
        m_out.Skip(NoAction);
        return;
    }
    m_out.U8(m_object.actionKind);
    m_out.I8(m_object.actionLength);
    m_out.Skip(ActionHead);
    m_out.I8(m_object.actionTailKind);
    m_out.Skip(AfterActionTailKind);
    if (m_object.actionKind == ObjectKind::Living)
        m_out.Skip(LivingActionExtra);
    if (m_object.actionKind == ObjectKind::Building)
        m_out.Skip(BuildingActionExtra);
    m_out.SkipSigned32(std::int64_t{m_object.actionLength} + ActionBody);
    m_out.I16(m_object.firstActionValues);
    m_out.SkipSigned32(ActionValueSize * std::int64_t{m_object.firstActionValues});
    m_out.I16(m_object.secondActionValues);
    m_out.SkipSigned32(ActionValueSize * std::int64_t{m_object.secondActionValues});
    m_out.Skip(AfterActionValues);
    if (m_object.actionTailKind == LongActionTail)
        m_out.Skip(LongActionTailSize);
    if (m_object.actionTailKind == ShortActionTail)
        m_out.Skip(ShortActionTailSize);
}

void ObjectRecordWriter::WriteTail()
{
    m_out.Skip(AfterAction);
    m_out.I32(m_object.tailFlag);
    if (m_object.tailFlag == 0) {
        m_out.Skip(NoUnitAi);
    } else {
        m_out.Skip(UnitAiHead);
        m_out.I32(m_object.tailExtraFlag);
        if (m_object.tailExtraFlag != 0)
            m_out.Skip(UnitAiExtra);
        m_out.Skip(m_format.IsHd() ? HdUnitAiTail : UnitAiTail);
    }
    m_out.Skip(AfterUnitAi);
    if (m_object.recordKind != ObjectKind::Living)
        m_out.Skip(m_format.hdLater ? HdLaterClosing : Closing);
}

} // namespace Mgx
