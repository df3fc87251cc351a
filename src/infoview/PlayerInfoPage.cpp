#include "PlayerInfoPage.h"

#include "DialogUnits.h"
#include "PanelArtwork.h"
#include "TeamLabel.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Positions of one slot's controls, in dialog units.
struct SlotTemplate {
    QRect emblem;
    QRect team;
    QRect name;
    QRect civilization;
    QRect kind;
};

constexpr std::array<SlotTemplate, SlotPositionCount> SlotTemplates = {{
    {{3, 3, 34, 28}, {50, 5, 10, 10}, {50, 17, 67, 14}, {64, 6, 50, 8}, {29, 22, 10, 10}},
    {{3, 33, 34, 28}, {50, 35, 10, 10}, {50, 47, 68, 14}, {64, 37, 50, 8}, {29, 54, 10, 10}},
    {{3, 63, 34, 28}, {50, 65, 10, 10}, {50, 77, 68, 14}, {64, 66, 50, 8}, {29, 83, 10, 10}},
    {{3, 93, 34, 28}, {50, 95, 10, 10}, {50, 107, 69, 14}, {64, 96, 50, 8}, {29, 112, 10, 10}},
    {{133, 3, 34, 28}, {180, 5, 10, 10}, {179, 17, 68, 14}, {193, 6, 50, 8}, {159, 22, 10, 10}},
    {{133, 33, 34, 28}, {180, 35, 10, 10}, {179, 47, 67, 14}, {193, 37, 50, 8}, {159, 52, 10, 10}},
    {{133, 63, 34, 28}, {180, 65, 10, 10}, {179, 77, 68, 14}, {193, 66, 50, 8}, {159, 82, 10, 10}},
    {{133, 93, 34, 28}, {180, 95, 10, 10}, {179, 107, 67, 14}, {193, 96, 50, 8}, {159, 112, 10, 10}},
}};

constexpr QSize MarkerSize(16, 16);
constexpr QSize KindPictureSize(16, 16);
// The civilization label's template height leaves no room for the CJK font's descent.
constexpr int CivilizationLabelHeight = 16;

QRect Pixels(const QRect& units) { return DialogUnits::ToPixels(units.x(), units.y(), units.width(), units.height()); }

template <typename Control>
Control* MakeControl(QWidget* parent, const QString& name, int position, const QRect& geometry)
{
    auto* control = new Control(parent);
    control->setObjectName(name + QString::number(position));
    control->setGeometry(geometry);
    return control;
}

} // namespace

PlayerInfoPage::PlayerInfoPage(QWidget* parent)
    : QWidget(parent)
{
    PanelArtwork::Load();
    for (int position = 0; position < SlotPositionCount; ++position)
        CreateSlot(position);

    m_recorderMarker = new QLabel(this);
    m_recorderMarker->setObjectName(QStringLiteral("recorderMarker"));
    m_recorderMarker->setGeometry(Pixels({38, 3, 10, 10}));
    m_recorderMarker->setPixmap(PanelArtwork::Eye());
    m_recorderMarker->setAlignment(Qt::AlignCenter);
}

void PlayerInfoPage::CreateSlot(int position)
{
    const SlotTemplate& place = SlotTemplates[static_cast<std::size_t>(position)];
    SlotControls& controls = m_slots[static_cast<std::size_t>(position)];

    controls.emblem = MakeControl<QLabel>(this, QStringLiteral("emblem"), position, Pixels(place.emblem));
    controls.emblem->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    controls.emblem->setLineWidth(1);
    controls.emblem->setAlignment(Qt::AlignCenter);

    controls.team = MakeControl<TeamLabel>(this, QStringLiteral("teamLabel"), position, Pixels(place.team));

    controls.name = MakeControl<QLineEdit>(this, QStringLiteral("nameBox"), position, Pixels(place.name));
    controls.name->setReadOnly(true);

    QRect civilization = Pixels(place.civilization);
    civilization.setHeight(CivilizationLabelHeight);
    controls.civilization = MakeControl<QLabel>(this, QStringLiteral("civLabel"), position, civilization);

    const QRect kind(Pixels(place.kind).topLeft(), KindPictureSize);
    controls.kind = MakeControl<QLabel>(this, QStringLiteral("kindPicture"), position, kind);
    controls.kind->setAlignment(Qt::AlignCenter);
}

void PlayerInfoPage::Reset()
{
    for (SlotControls& controls : m_slots)
        ClearSlot(controls);
    MoveRecorderMarker(ParkedRecorderMarkerPosition());
}

void PlayerInfoPage::ClearSlot(SlotControls& controls)
{
    const SlotView empty;
    controls.emblem->clear();
    controls.civilization->clear();
    controls.name->clear();
    controls.kind->clear();
    controls.team->setText(empty.teamText);
    controls.team->SetColour(QColor::fromRgb(empty.teamColour));
}

void PlayerInfoPage::ShowSlots(const Mgx::ChapterInfo& chapter, int playersTop)
{
    const SlotViews views = ComposeSlots(chapter);
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (views[i].occupied)
            ShowSlot(m_slots[i], views[i]);
    }
    if (const std::optional<int> recorder = RecorderSlotPosition(chapter))
        MoveRecorderMarker(RecorderMarkerPosition(*recorder, playersTop));
}

void PlayerInfoPage::ShowSlot(SlotControls& controls, const SlotView& view)
{
    controls.emblem->setPixmap(PanelArtwork::Emblem(view.emblemIndex));
    controls.civilization->setText(view.civilization);
    controls.name->setText(view.name);
    controls.name->setCursorPosition(0);
    controls.kind->setPixmap(PanelArtwork::KindPicture(view.kind));
    controls.team->SetColour(QColor::fromRgb(view.teamColour));
    controls.team->setText(view.teamText);
}

void PlayerInfoPage::MoveRecorderMarker(QPoint position) { m_recorderMarker->setGeometry(QRect(position, MarkerSize)); }
