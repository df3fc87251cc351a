#include "AdvancedPage.h"

#include "DialogUnits.h"
#include "InfoText.h"

#include <QLabel>

namespace {

// Left column: game type, map type, map, map size; right column: speed, difficulty,
// population, victory; rows 20 dialog units apart. The left column is the wider one, since
// scenario file names end up there.
constexpr int LeftColumnX = 5;
constexpr int LeftColumnWidth = 225;
constexpr int RightColumnX = 236;
constexpr int RightColumnWidth = 145;
constexpr int LabelHeight = 20;
constexpr int RowUnits[] = {3, 23, 43, 63};

} // namespace

AdvancedPage::AdvancedPage(QWidget* parent)
    : QWidget(parent)
{
    static const char* const names[LabelCount] = {
        "gameTypeLabel", "mapTypeLabel", "mapLabel", "mapSizeLabel",
        "speedLabel", "difficultyLabel", "populationLabel", "victoryLabel",
    };
    for (int i = 0; i < LabelCount; ++i) {
        const bool left = i < 4;
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setGeometry(left ? LeftColumnX : RightColumnX, DialogUnits::ToPixelsY(RowUnits[i % 4]),
                           left ? LeftColumnWidth : RightColumnWidth, LabelHeight);
        m_labels[static_cast<std::size_t>(i)] = label;
    }
}

void AdvancedPage::SetLabels(const InfoLabels& labels)
{
    m_labels[GameType]->setText(labels.gameType);
    m_labels[MapType]->setText(labels.mapType);
    m_labels[Map]->setText(labels.map);
    m_labels[MapSize]->setText(labels.mapSize);
    m_labels[Speed]->setText(labels.speed);
    m_labels[Difficulty]->setText(labels.difficulty);
    m_labels[Population]->setText(labels.population);
    m_labels[Victory]->setText(labels.victory);
}
