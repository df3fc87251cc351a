#include "PathCombo.h"

#include "ArchiveLocation.h"
#include "NavigationEvent.h"
#include "PathComboEdit.h"
#include "RootFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QListView>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int levelRole = Qt::UserRole + 1;
constexpr int indentPerLevel = 12;

// Shows each entry of the drop-down indented by its level.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(index.data(levelRole).toInt() * indentPerLevel, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(levelRole).toInt() * indentPerLevel;
        size.setHeight(std::max(size.height(), 20));
        return size;
    }
};

} // namespace

PathCombo::PathCombo(QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("pathCombo"));
    setEditable(true);
    m_edit = new PathComboEdit(this);
    setLineEdit(m_edit);
    // Typed paths are neither completed from nor added to the entries.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(196 / 20);
    setItemDelegate(new IndentingDelegate(this));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumContentsLength(12);
    connect(this, &QComboBox::currentIndexChanged, this, &PathCombo::OnSelectionChanged);
}

QString PathCombo::SelectedFolder() const
{
    const int index = currentIndex();
    return index >= 0 && index < int(m_shown.size()) ? m_shown[index].path : QString();
}

QString PathCombo::DesktopFolder()
{
    EnsureFixedEntries();
    return m_fixed->empty() ? QString() : m_fixed->front().path;
}

QString PathCombo::ComputerFolder()
{
    EnsureFixedEntries();
    for (const PathEntries::Entry& entry : *m_fixed) {
        if (entry.kind == PathEntries::Kind::Computer)
            return entry.path;
    }
    return QStringLiteral("/");
}

void PathCombo::customEvent(QEvent* event)
{
    const int type = event->type();
    if (type == NavigationEvent::SelectFolder) {
        auto* navigation = static_cast<NavigationEvent*>(event);
        Rebuild(navigation->path);
        navigation->result = true;
    } else if (type == NavigationEvent::GoToTypedPath) {
        SendToTarget(NavigationEvent::GoToTypedPath, m_edit->text());
    } else {
        QComboBox::customEvent(event);
    }
}

void PathCombo::EnsureFixedEntries()
{
    if (!m_fixed)
        m_fixed = RootFolders::Collect();
}

void PathCombo::Rebuild(const QString& folder)
{
    EnsureFixedEntries();
    const PathEntries::Contents contents = PathEntries::Compose(*m_fixed, folder);
    m_rebuilding = true;
    clear();
    m_shown = contents.entries;
    for (int i = 0; i < int(m_shown.size()); ++i) {
        const PathEntries::Entry& entry = m_shown[i];
        addItem(RootFolders::IconFor(entry.kind, i == contents.selected), entry.name, entry.path);
        setItemData(i, entry.level, levelRole);
        setItemData(i, QDir::toNativeSeparators(entry.path), Qt::ToolTipRole);
    }
    setCurrentIndex(contents.selected);
    // The inside of an archive shows as "cup.zip/", so it does not pass for a file.
    const bool inArchive = LocateArchive(folder).has_value();
    m_edit->setText(inArchive ? contents.fieldText + QDir::separator() : contents.fieldText);
    m_rebuilding = false;
}

void PathCombo::OnSelectionChanged(int index)
{
    if (m_rebuilding || index < 0 || index >= int(m_shown.size()))
        return;
    // The field already shows the chosen entry's name; the list is told the folder itself.
    SendToTarget(NavigationEvent::ListFolder, m_shown[index].path);
}

void PathCombo::SendToTarget(int type, const QString& path)
{
    if (!m_target)
        return;
    NavigationEvent event(static_cast<NavigationEvent::Kind>(type), path);
    QCoreApplication::sendEvent(m_target, &event);
}
