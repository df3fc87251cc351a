#include "ConfigDlg.h"

#include "PanelFonts.h"
#include "SettingsCheck.h"
#include "SettingsFile.h"
#include "UserPrompt.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Wide enough for a typical Wine path; the dialog grows with the font rather than clipping.
constexpr int EditWidthInCharacters = 48;

QStringList ExecutableFilters()
{
    QStringList filters{QStringLiteral("age2_x1.exe (age2_x1.exe)")};
#ifndef Q_OS_WIN
    // A copy carried over from Windows may have been renamed; wine starts it all the same.
    filters.append(QStringLiteral("*.exe (*.exe *.EXE)"));
#endif
    return filters;
}

QPushButton* AddButton(QWidget* parent, const QString& text, const QString& name)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ConfigDlg::ConfigDlg(const GameSettings& settings, UserPrompt& prompt, QString configPath, QWidget* parent)
    : QDialog(parent)
    , m_prompt(prompt)
    , m_configPath(std::move(configPath))
    , m_installPath(settings.GameInstallPath)
{
    setObjectName(QStringLiteral("configDlg"));
    setWindowTitle(QStringLiteral("设置"));
    setModal(true);
    setFont(PanelFonts::Text());

    auto* group = new QGroupBox(QStringLiteral("一般设置"), this);
    group->setObjectName(QStringLiteral("generalGroup"));
    auto* rows = new QGridLayout(group);
    m_saveGameFolder = AddRow(*rows, 0, QStringLiteral("SaveGame目录位置："), settings.SaveGameFolder,
                              QStringLiteral("saveGameFolder"), &ConfigDlg::PickSaveGameFolder);
    m_gameExe10a = AddRow(*rows, 1, QStringLiteral("1.0A版帝国exe文件位置："), settings.GameExe10a,
                          QStringLiteral("gameExe10a"), &ConfigDlg::PickExecutable);
    m_gameExe10c = AddRow(*rows, 2, QStringLiteral("1.0C版帝国exe文件位置："), settings.GameExe10c,
                          QStringLiteral("gameExe10c"), &ConfigDlg::PickExecutable);

    QPushButton* ok = AddButton(this, QStringLiteral("确定"), QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton* cancel = AddButton(this, QStringLiteral("取消"), QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &ConfigDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &ConfigDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    // Fixed at the size its contents need, whatever the font: nothing is cut at the edge.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* ConfigDlg::AddRow(QGridLayout& rows, int row, const QString& label, const QString& value,
                             const QString& name, Picker pick)
{
    auto* caption = new QLabel(label, this);
    caption->setObjectName(name + QStringLiteral("Label"));
    auto* edit = new QLineEdit(value, this);
    edit->setObjectName(name + QStringLiteral("Edit"));
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * EditWidthInCharacters);
    caption->setBuddy(edit);
    QPushButton* browse = AddButton(this, QStringLiteral("..."), name + QStringLiteral("Browse"));
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) * 3);
    connect(browse, &QPushButton::clicked, this, [this, pick, edit] { (this->*pick)(edit); });
    rows.addWidget(caption, 2 * row, 0, 1, 2);
    rows.addWidget(edit, 2 * row + 1, 0);
    rows.addWidget(browse, 2 * row + 1, 1);
    return edit;
}

void ConfigDlg::PickSaveGameFolder(QLineEdit* edit)
{
    if (const std::optional<QString> folder = m_prompt.ChooseFolder(QStringLiteral("打开SaveGame文件夹..."), {}))
        edit->setText(SaveGameFolderFromPick(*folder));
}

void ConfigDlg::PickExecutable(QLineEdit* edit)
{
    if (const std::optional<QString> file =
            m_prompt.ChooseOpenFile(QStringLiteral("打开"), QStringLiteral("age2_x1.exe"), ExecutableFilters()))
        edit->setText(*file);
}

GameSettings ConfigDlg::Values() const
{
    return {m_saveGameFolder->text(), m_gameExe10a->text(), m_gameExe10c->text(), m_installPath};
}

void ConfigDlg::accept()
{
    // A path that points at nothing would only be found out when it is used, silently.
    if (const QString problem = SettingsCheck::FirstProblem(Values()); !problem.isEmpty()) {
        m_prompt.ShowMessage(UserPrompt::MessageKind::Warning, problem);
        return;
    }
    // The running settings take the values all the same and an earlier file is left whole, but
    // the player is told that the next start will not see them.
    QString why;
    if (!SaveConfigIni(m_configPath, Values(), &why))
        m_prompt.ShowMessage(UserPrompt::MessageKind::Warning,
                             QStringLiteral("设置无法保存：") + QDir::toNativeSeparators(m_configPath) + QStringLiteral("\n") + why);
    QDialog::accept();
}

bool ConfigDlg::Edit(GameSettings& running, UserPrompt& prompt, const QString& configPath, QWidget* parent)
{
    ConfigDlg dialog(running, prompt, configPath, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    running = dialog.Values();
    return true;
}
