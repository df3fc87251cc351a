#include "TemplateSource.h"

RenamePlan PlanTemplateRename(const QString& folder, const QString& pattern, const QList<TemplateSource>& sources,
                              const QSet<QString>& taken)
{
    QList<PlannedRename> steps;
    for (const TemplateSource& source : sources) {
        const ExpandedName expanded = ExpandRenameTemplate(pattern, source.fields, source.name);
        const RenameMark mark = expanded.usesRecord && !source.fields.hasRecord ? RenameMark::Unreadable : RenameMark::None;
        steps.append({source.row, source.name, expanded.name, mark});
    }
    return PlanRenames(folder, std::move(steps), taken);
}

QString RenameMarkText(RenameMark mark)
{
    switch (mark) {
    case RenameMark::None: return {};
    case RenameMark::InvalidName: return QStringLiteral("含有文件名不能使用的字符");
    case RenameMark::Clash: return QStringLiteral("名称冲突");
    case RenameMark::Unreadable: return QStringLiteral("无法读取记录");
    }
    return {};
}
