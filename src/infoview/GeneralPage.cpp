#include "GeneralPage.h"

#include "DialogUnits.h"
#include "MapContainer.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

const QRect CompactMapGeometry(195, 3, 185, 200);
const QRect LargeMapGeometry(3, 3, 375, 250);

constexpr int LabelWidth = 180;
constexpr int LabelHeight = 16;

QLabel* MakeLabel(QWidget* parent, const QString& name, int xUnits, int yUnits)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry({DialogUnits::ToPixels(QPoint(xUnits, yUnits)), QSize(LabelWidth, LabelHeight)});
    return label;
}

} // namespace

GeneralPage::GeneralPage(QWidget* parent)
    : QWidget(parent)
{
    m_objectives = new QPlainTextEdit(this);
    m_objectives->setObjectName(QStringLiteral("objectivesBox"));
    m_objectives->setGeometry(DialogUnits::ToPixels(3, 3, 125, 149));
    m_objectives->setReadOnly(true);
    // Scenario instructions are laid out by hand; they scroll sideways rather than wrap.
    m_objectives->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_duration = MakeLabel(this, QStringLiteral("durationLabel"), 133, 134);
    m_version = MakeLabel(this, QStringLiteral("versionLabel"), 133, 144);

    m_map = new MapContainer(this);
    m_map->setObjectName(QStringLiteral("mapContainer"));
    m_map->setGeometry(CompactMapGeometry);
    connect(m_map, &MapContainer::SwitchedToLarge, this, &GeneralPage::ShowLargeMap);
    connect(m_map, &MapContainer::SwitchedToCompact, this, &GeneralPage::ShowCompactMap);
}

void GeneralPage::SetObjectives(const QString& text) { m_objectives->setPlainText(text); }

void GeneralPage::SetDuration(const QString& text) { m_duration->setText(text); }

void GeneralPage::SetVersion(const QString& text) { m_version->setText(text); }

void GeneralPage::HideLabelsUnderLargeMap()
{
    if (m_map->IsCompact())
        return;
    m_version->hide();
    m_duration->hide();
}

void GeneralPage::ShowLargeMap()
{
    m_objectives->hide();
    m_duration->hide();
    m_version->hide();
    m_map->setGeometry(LargeMapGeometry);
}

void GeneralPage::ShowCompactMap()
{
    m_objectives->show();
    m_duration->show();
    m_version->show();
    m_map->setGeometry(CompactMapGeometry);
}
