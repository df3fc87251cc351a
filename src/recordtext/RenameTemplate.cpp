#include "RenameTemplate.h"

#include "DecodeGbk.h"
#include "InfoText.h"
#include "SlotView.h"
#include "TextCodePage.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// A renamed record keeps its own extension (.mgz, .mgx2, .aoe2record, ...): only listed records are
// renamed, so whatever follows the last dot is the extension the list knew it by.
const QString RecordExtension = QStringLiteral(".mgx");

qsizetype RecordExtensionLength(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? 0 : fileName.size() - dot;
}

// The name of the occupied slot, or nothing for an empty one.
QString SlotPlayerName(const Mgx::PlayerSlot& slot, std::uint16_t codePage)
{
    if (slot.playerNumber < 1 || slot.playerNumber > 8)
        return {};
    return DecodeRecordText(slot.name, codePage);
}

std::uint16_t NameCodePageOf(const Mgx::ChapterInfo& chapter) { return Mgx::NameCodePage(chapter); }

QString MapText(const Mgx::ChapterInfo& chapter)
{
    const QString caption = InfoLabels::Captions().map;
    QString label = ChooseMap(chapter).label;
    return label.startsWith(caption) ? label.mid(caption.size()) : label;
}

QString RecorderName(const Mgx::ChapterInfo& chapter)
{
    const std::optional<int> position = RecorderSlotPosition(chapter);
    return position ? SlotPlayerName(chapter.slots[static_cast<std::size_t>(*position) + 1], NameCodePageOf(chapter)) : QString();
}

QString Stem(const QString& fileName)
{
    return fileName.chopped(RecordExtensionLength(fileName));
}

QString Extension(const QString& fileName)
{
    const qsizetype length = RecordExtensionLength(fileName);
    return length != 0 ? fileName.right(length) : RecordExtension;
}

} // namespace

QString PlayersByTeam(const Mgx::ChapterInfo& chapter)
{
    // (team, names) in order of first appearance; a team of 0 or 1 means "no team".
    QList<std::pair<int, QStringList>> groups;
    for (std::size_t i = 1; i < chapter.slots.size(); ++i) {
        const Mgx::PlayerSlot& slot = chapter.slots[i];
        const QString name = SlotPlayerName(slot, NameCodePageOf(chapter));
        if (slot.playerNumber < 1 || slot.playerNumber > 8)
            continue;
        auto group = groups.end();
        if (slot.team > 1)
            group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == slot.team; });
        if (group == groups.end())
            groups.append({slot.team > 1 ? slot.team : -1, {name}});
        else
            group->second.append(name);
    }
    QStringList sides;
    for (const auto& group : groups)
        sides.append(group.second.join(QStringLiteral(", ")));
    return sides.join(QStringLiteral(" vs "));
}

RenameFields RenameFieldsOf(const Mgx::GameRecord* record, const QString& fileName, const QDateTime& fileTime)
{
    RenameFields fields;
    fields.date = fileTime.toString(QStringLiteral("yyyy-MM-dd_HHmm"));
    fields.original = Stem(fileName);
    if (!record || record->chapters.empty())
        return fields;
    const Mgx::ChapterInfo& first = record->chapters.front();
    fields.hasRecord = true;
    fields.map = MapText(first);
    fields.players = PlayersByTeam(first);
    fields.version = VersionName(first);
    fields.duration = FormatGameTime(TotalGameTime(*record)).replace(QLatin1Char(':'), QLatin1Char('-'));
    fields.recorder = RecorderName(first);
    return fields;
}

ExpandedName ExpandRenameTemplate(const QString& pattern, const RenameFields& fields, const QString& oldName)
{
    const std::array<std::pair<QString, const QString*>, 7> known{{
        {QStringLiteral("日期"), &fields.date},
        {QStringLiteral("地图"), &fields.map},
        {QStringLiteral("玩家"), &fields.players},
        {QStringLiteral("版本"), &fields.version},
        {QStringLiteral("时长"), &fields.duration},
        {QStringLiteral("录制者"), &fields.recorder},
        {QStringLiteral("原名"), &fields.original},
    }};
    ExpandedName result;
    qsizetype at = 0;
    while (at < pattern.size()) {
        const qsizetype open = pattern.indexOf(QLatin1Char('{'), at);
        const qsizetype close = open < 0 ? -1 : pattern.indexOf(QLatin1Char('}'), open);
        if (close < 0) {
            result.name += pattern.mid(at);
            break;
        }
        result.name += pattern.mid(at, open - at);
        const QString key = pattern.mid(open + 1, close - open - 1);
        const auto found = std::find_if(known.begin(), known.end(), [&](const auto& k) { return k.first == key; });
        if (found == known.end()) {
            result.name += QLatin1Char('{');
            at = open + 1;
            continue;
        }
        result.name += *found->second;
        // The date and the old name come from the file itself.
        if (found->second != &fields.date && found->second != &fields.original)
            result.usesRecord = true;
        at = close + 1;
    }
    result.name += Extension(oldName);
    return result;
}
