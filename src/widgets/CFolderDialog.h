#pragma once

#include <QFileDialog>

// The folder picker: browses folders only, and "确定" confirms the subfolder selected, else the
// path typed in the name field, else the folder being shown; a path that is no folder is refused
// with a word and the picker stays open. Used for the settings' SaveGame folder and every
// "copy to", "move to" and "open folder" command.
class CFolderDialog : public QFileDialog {
    Q_OBJECT
public:
    CFolderDialog(const QString& title, const QString& startFolder, QWidget* parent = nullptr);

    // The folder confirmed, as an absolute path with native separators and no trailing
    // separator (except for a root).
    QString ChosenFolder() const;

    void accept() override;

private:
    QString m_chosen;
};
