#pragma once

#include "GameSettings.h"

#include <QDialog>
#include <QString>

class QGridLayout;
class QLineEdit;
class UserPrompt;

// The settings dialog: the SaveGame folder and the two game executables, each in an edit box with
// a "..." picker. "确定" refuses a folder or executable that does not exist (with a word), else
// saves the boxes to config.ini and closes; "取消" or closing the window
// leaves everything as it was, including a path already picked with "...".
class ConfigDlg : public QDialog {
    Q_OBJECT
public:
    ConfigDlg(const GameSettings& settings, UserPrompt& prompt, QString configPath, QWidget* parent = nullptr);

    // The texts of the three boxes; the install folder is the one the dialog was given.
    GameSettings Values() const;

    void accept() override;

    // The settings command: shows the dialog modally over `parent` and, when it is confirmed,
    // gives `running` its values. True when confirmed.
    static bool Edit(GameSettings& running, UserPrompt& prompt, const QString& configPath, QWidget* parent = nullptr);

private:
    using Picker = void (ConfigDlg::*)(QLineEdit* edit);

    QLineEdit* AddRow(QGridLayout& rows, int row, const QString& label, const QString& value, const QString& name,
                      Picker pick);
    void PickSaveGameFolder(QLineEdit* edit);
    void PickExecutable(QLineEdit* edit);

    UserPrompt& m_prompt;
    QString m_configPath;
    QString m_installPath;
    QLineEdit* m_saveGameFolder = nullptr;
    QLineEdit* m_gameExe10a = nullptr;
    QLineEdit* m_gameExe10c = nullptr;
};
