#pragma once

#include "RenamePlan.h"
#include "RenameTemplate.h"

#include <QList>
#include <QSet>
#include <QString>

// One selected record as the rename template sees it: its row, its name and its fields.
struct TemplateSource {
    int row = -1;
    QString name;
    RenameFields fields;
};

// Expands the template for each source and marks the result against the folder's names.
RenamePlan PlanTemplateRename(const QString& folder, const QString& pattern, const QList<TemplateSource>& sources,
                              const QSet<QString>& taken);

// What the preview says of a mark; empty for none.
QString RenameMarkText(RenameMark mark);
