#pragma once

#include "RenamePlan.h"
#include "TemplateSource.h"

#include <QDialog>
#include <QSet>

class QLineEdit;
class QPushButton;
class QTableWidget;

// "按模板重命名": a template, the buttons that insert its fields, and a live preview of every
// old name beside its new name with what is wrong with it. OK stays off while anything is marked.
class TemplateRenameDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char16_t* DefaultTemplate = u"{日期}_{玩家}_{地图}";

    TemplateRenameDialog(const QString& folder, QList<TemplateSource> sources, QWidget* parent = nullptr);

    void SetTemplate(const QString& pattern);
    QString Template() const;
    // The plan for the template as it stands.
    RenamePlan Plan() const { return m_plan; }

    QTableWidget* Preview() const { return m_preview; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void UpdatePreview();
    void InsertField(const QString& field);

    QString m_folder;
    QList<TemplateSource> m_sources;
    QSet<QString> m_taken;
    RenamePlan m_plan;
    QLineEdit* m_template = nullptr;
    QTableWidget* m_preview = nullptr;
    QPushButton* m_ok = nullptr;
};
