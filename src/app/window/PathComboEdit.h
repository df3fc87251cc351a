#pragma once

#include <QLineEdit>

class CommandTable;

// The address bar's text field. Enter asks the path box to go to the typed path; Delete removes
// only the selected text; the right-click menu offers the editing commands and three places.
class PathComboEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit PathComboEdit(QWidget* parent = nullptr);

    // The table whose text-field menu the right click shows.
    void SetCommandTable(CommandTable* commands) { m_commands = commands; }
    // Removes the selected text; nothing when none is selected.
    void ClearSelection();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CommandTable* m_commands = nullptr;
};
