#include "TemplateRenameDialog.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QColor MarkedColour(0xc0, 0x00, 0x00);

QTableWidgetItem* Cell(const QString& text, bool marked)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    if (marked)
        item->setForeground(MarkedColour);
    return item;
}

} // namespace

TemplateRenameDialog::TemplateRenameDialog(const QString& folder, QList<TemplateSource> sources, QWidget* parent)
    : QDialog(parent), m_folder(folder), m_sources(std::move(sources)), m_taken(NamesInFolder(folder))
{
    setObjectName(QStringLiteral("TemplateRenameDialog"));
    setWindowTitle(QStringLiteral("按模板重命名"));
    resize(720, 420);

    m_template = new QLineEdit(this);
    m_template->setObjectName(QStringLiteral("templateEdit"));
    auto* templateRow = new QHBoxLayout;
    templateRow->addWidget(new QLabel(QStringLiteral("模板(&T)："), this));
    templateRow->addWidget(m_template, 1);
    qobject_cast<QLabel*>(templateRow->itemAt(0)->widget())->setBuddy(m_template);

    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(new QLabel(QStringLiteral("插入："), this));
    for (const char16_t* field : {u"日期", u"地图", u"玩家", u"版本", u"时长", u"录制者", u"原名"}) {
        const QString name = QString::fromUtf16(field);
        auto* button = new QPushButton(name, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, name] { InsertField(name); });
        fieldRow->addWidget(button);
    }
    fieldRow->addStretch(1);

    m_preview = new QTableWidget(0, 3, this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setHorizontalHeaderLabels({QStringLiteral("原名称"), QStringLiteral("新名称"), QStringLiteral("问题")});
    m_preview->verticalHeader()->hide();
    m_preview->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_preview->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_preview->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_preview->setSelectionMode(QAbstractItemView::NoSelection);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(templateRow);
    layout->addLayout(fieldRow);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);

    connect(m_template, &QLineEdit::textChanged, this, &TemplateRenameDialog::UpdatePreview);
    SetTemplate(QString::fromUtf16(DefaultTemplate));
}

void TemplateRenameDialog::SetTemplate(const QString& pattern)
{
    m_template->setText(pattern);
    UpdatePreview(); // also when the text was already this
}

QString TemplateRenameDialog::Template() const { return m_template->text(); }

void TemplateRenameDialog::InsertField(const QString& field)
{
    m_template->insert(QLatin1Char('{') + field + QLatin1Char('}'));
    m_template->setFocus();
}

void TemplateRenameDialog::UpdatePreview()
{
    m_plan = PlanTemplateRename(m_folder, Template(), m_sources, m_taken);
    m_preview->setRowCount(static_cast<int>(m_plan.steps.size()));
    for (int row = 0; row < m_plan.steps.size(); ++row) {
        const PlannedRename& step = m_plan.steps[row];
        const bool marked = step.mark != RenameMark::None;
        m_preview->setItem(row, 0, Cell(step.oldName, false));
        m_preview->setItem(row, 1, Cell(step.newName, marked));
        m_preview->setItem(row, 2, Cell(RenameMarkText(step.mark), marked));
    }
    m_ok->setEnabled(!m_plan.HasMarks() && !m_plan.steps.isEmpty());
}
