#pragma once

#include "CommandCatalogue.h"

#include <QObject>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

// Binds command ids to the handlers the parts of the program register at run time, and builds
// every action and menu from the catalogue. A command without a handler does nothing.
class CommandTable : public QObject {
    Q_OBJECT

public:
    // How an action shows its command at one place.
    enum ActionFlag {
        Plain = 0,
        WithShortcut = 1, // only once per window, so a key is bound once
        WithoutPrompt = 2, // the text field's menu shows no prompts
    };

    explicit CommandTable(QObject* parent = nullptr);

    void RegisterHandler(int id, std::function<void()> handler);
    // Queried each time a menu holding the command opens (and when a toolbar is refreshed).
    void RegisterEnabledState(int id, std::function<bool()> enabled);
    void RegisterCheckedState(int id, std::function<bool()> checked);

    bool HasHandler(int id) const;
    // Runs the command's handler; false when none is registered.
    bool Trigger(int id);
    bool IsEnabled(int id) const;
    // Nothing when the command carries no mark.
    std::optional<bool> IsChecked(int id) const;

    // An action for one place the command appears; `text` empty means the table's menu text.
    QAction* CreateAction(int id, QObject* parent, const QString& text = {}, int flags = Plain);
    // A menu from a layout; the marks and enabled states are read again each time it opens.
    QMenu* BuildMenu(const QString& title, const std::vector<Commands::MenuEntry>& entries, QWidget* parent,
                     int flags = Plain);
    // Reads the enabled states and marks into every action of the menu (and its submenus).
    void RefreshMenu(QMenu* menu) const;

Q_SIGNALS:
    void Triggered(int id);

private:
    void AddEntries(QMenu* menu, const std::vector<Commands::MenuEntry>& entries, int flags);

    std::map<int, std::function<void()>> m_handlers;
    std::map<int, std::function<bool()>> m_enabled;
    std::map<int, std::function<bool()>> m_checked;
};
