#pragma once

#include <QWidget>

class CommandTable;
class PathCombo;
class QToolButton;

// The second tool row: the path box, then "转到", up, refresh and the view drop-down. The path
// box takes the bar's width minus the 171 pixels of the buttons.
class AddressBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int buttonsWidth = 65 + 32 + 32 + 42;

    AddressBar(CommandTable& commands, QWidget* parent = nullptr);

    PathCombo& GetPathCombo() const { return *m_combo; }
    // Registers the text field's own commands (cut, copy, paste, delete) with the table.
    void RegisterTextFieldCommands(CommandTable& commands);

private:
    QToolButton* AddButton(CommandTable& commands, int id, const QIcon& icon, int width);

    PathCombo* m_combo = nullptr;
};
