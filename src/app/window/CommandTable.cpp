#include "CommandTable.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>

namespace {

const char* const commandIdProperty = "commandId";

} // namespace

CommandTable::CommandTable(QObject* parent)
    : QObject(parent)
{
}

void CommandTable::RegisterHandler(int id, std::function<void()> handler) { m_handlers[id] = std::move(handler); }

void CommandTable::RegisterEnabledState(int id, std::function<bool()> enabled) { m_enabled[id] = std::move(enabled); }

void CommandTable::RegisterCheckedState(int id, std::function<bool()> checked) { m_checked[id] = std::move(checked); }

bool CommandTable::HasHandler(int id) const { return m_handlers.count(id) != 0; }

bool CommandTable::Trigger(int id)
{
    const auto found = m_handlers.find(id);
    if (found == m_handlers.end() || !IsEnabled(id))
        return false;
    Q_EMIT Triggered(id);
    // Copied: a handler may register handlers again.
    const std::function<void()> handler = found->second;
    handler();
    return true;
}

bool CommandTable::IsEnabled(int id) const
{
    const auto found = m_enabled.find(id);
    return found == m_enabled.end() || found->second();
}

std::optional<bool> CommandTable::IsChecked(int id) const
{
    const auto found = m_checked.find(id);
    if (found == m_checked.end())
        return std::nullopt;
    return found->second();
}

QAction* CommandTable::CreateAction(int id, QObject* parent, const QString& text, int flags)
{
    const Commands::Command* command = Commands::Find(id);
    auto* action = new QAction(parent);
    action->setProperty(commandIdProperty, id);
    if (command) {
        action->setText(text.isEmpty() ? command->text : text);
        const QString prompt = flags & WithoutPrompt ? QString() : Commands::StatusPrompt(command->prompt);
        action->setStatusTip(prompt);
        action->setToolTip(prompt.isEmpty() ? QString(action->text()).remove(QLatin1Char('&')) : prompt);
        if ((flags & WithShortcut) && !command->shortcut.isEmpty())
            action->setShortcut(QKeySequence(command->shortcut));
    }
    connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
    return action;
}

QMenu* CommandTable::BuildMenu(const QString& title, const std::vector<Commands::MenuEntry>& entries,
                               QWidget* parent, int flags)
{
    auto* menu = new QMenu(title, parent);
    AddEntries(menu, entries, flags);
    return menu;
}

void CommandTable::AddEntries(QMenu* menu, const std::vector<Commands::MenuEntry>& entries, int flags)
{
    using Kind = Commands::MenuEntry::Kind;
    QActionGroup* radios = nullptr;
    for (const Commands::MenuEntry& entry : entries) {
        if (entry.kind == Kind::Separator) {
            menu->addSeparator();
            radios = nullptr;
        } else if (entry.kind == Kind::Submenu) {
            QMenu* sub = menu->addMenu(entry.text);
            AddEntries(sub, entry.children, flags);
        } else {
            QAction* action = CreateAction(entry.id, menu, entry.text, flags);
            // The two list views form one radio group; other marks are plain check marks.
            if (entry.id == Commands::ListView || entry.id == Commands::DetailsView) {
                if (!radios)
                    radios = new QActionGroup(menu);
                radios->addAction(action);
            }
            menu->addAction(action);
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { RefreshMenu(menu); });
    RefreshMenu(menu);
}

void CommandTable::RefreshMenu(QMenu* menu) const
{
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            RefreshMenu(action->menu());
            continue;
        }
        const QVariant id = action->property(commandIdProperty);
        if (!id.isValid())
            continue;
        action->setEnabled(IsEnabled(id.toInt()));
        const std::optional<bool> checked = IsChecked(id.toInt());
        action->setCheckable(checked.has_value());
        if (checked)
            action->setChecked(*checked);
    }
}
