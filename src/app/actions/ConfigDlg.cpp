#include "ConfigDlg.h"

#include "DialogUnits.h"
#include "PanelFonts.h"
#include "SettingsFile.h"

#include <QDir>
#include "UserPrompt.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The layout in dialog units: one group with a label above each edit box and its "..." button,
// then "确定" and "取消" right-aligned below it.
constexpr QSize kDialogSize{280, 128};
constexpr QRect kGroup{7, 7, 266, 94};
constexpr int kFirstRowTop = 19;
constexpr int kRowPitch = 26;
constexpr int kLabelHeight = 9;
constexpr int kEditGap = 10; // label top to edit box top
constexpr QRect kEdit{14, 0, 228, 12};
constexpr QRect kBrowse{246, 0, 20, 12};
constexpr QRect kOk{169, 107, 50, 14};
constexpr QRect kCancel{223, 107, 50, 14};

QRect Pixels(QRect units) { return DialogUnits::toPixels(units.x(), units.y(), units.width(), units.height()); }

QRect Moved(QRect units, int top) { return units.translated(0, top); }

QStringList ExecutableFilters()
{
    QStringList filters{QStringLiteral("age2_x1.exe (age2_x1.exe)")};
#ifndef Q_OS_WIN
    // A copy carried over from Windows may have been renamed; wine starts it all the same.
    filters.append(QStringLiteral("*.exe (*.exe *.EXE)"));
#endif
    return filters;
}

QPushButton* AddButton(QWidget* parent, const QString& text, const QString& name, QRect units)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(Pixels(units));
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
    // The layout is made for an 8-point dialog font; this one fits it and has the Chinese glyphs.
    setFont(PanelFonts::Text());
    setFixedSize(DialogUnits::toPixels(kDialogSize));

    auto* group = new QGroupBox(QStringLiteral("一般设置"), this);
    group->setObjectName(QStringLiteral("generalGroup"));
    group->setGeometry(Pixels(kGroup));

    m_saveGameFolder = addRow(0, QStringLiteral("SaveGame目录位置："), settings.SaveGameFolder,
                              QStringLiteral("saveGameFolder"), &ConfigDlg::pickSaveGameFolder);
    m_gameExe10a = addRow(1, QStringLiteral("1.0A版帝国exe文件位置："), settings.GameExe10a,
                          QStringLiteral("gameExe10a"), &ConfigDlg::pickExecutable);
    m_gameExe10c = addRow(2, QStringLiteral("1.0C版帝国exe文件位置："), settings.GameExe10c,
                          QStringLiteral("gameExe10c"), &ConfigDlg::pickExecutable);

    QPushButton* ok = AddButton(this, QStringLiteral("确定"), QStringLiteral("okButton"), kOk);
    ok->setDefault(true);
    QPushButton* cancel = AddButton(this, QStringLiteral("取消"), QStringLiteral("cancelButton"), kCancel);
    connect(ok, &QPushButton::clicked, this, &ConfigDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &ConfigDlg::reject);
}

QLineEdit* ConfigDlg::addRow(int row, const QString& label, const QString& value, const QString& name, Picker pick)
{
    const int top = kFirstRowTop + row * kRowPitch;
    auto* caption = new QLabel(label, this);
    caption->setObjectName(name + QStringLiteral("Label"));
    caption->setGeometry(Pixels({kEdit.x(), top, kEdit.width(), kLabelHeight}));

    auto* edit = new QLineEdit(value, this);
    edit->setObjectName(name + QStringLiteral("Edit"));
    edit->setGeometry(Pixels(Moved(kEdit, top + kEditGap)));
    caption->setBuddy(edit);

    QPushButton* browse = AddButton(this, QStringLiteral("..."), name + QStringLiteral("Browse"),
                                    Moved(kBrowse, top + kEditGap));
    connect(browse, &QPushButton::clicked, this, [this, pick, edit] { (this->*pick)(edit); });
    return edit;
}

void ConfigDlg::pickSaveGameFolder(QLineEdit* edit)
{
    if (const std::optional<QString> folder = m_prompt.chooseFolder(QStringLiteral("打开SaveGame文件夹..."), {}))
        edit->setText(SaveGameFolderFromPick(*folder));
}

void ConfigDlg::pickExecutable(QLineEdit* edit)
{
    if (const std::optional<QString> file =
            m_prompt.chooseOpenFile(QStringLiteral("打开"), QStringLiteral("age2_x1.exe"), ExecutableFilters()))
        edit->setText(*file);
}

GameSettings ConfigDlg::values() const
{
    return {m_saveGameFolder->text(), m_gameExe10a->text(), m_gameExe10c->text(), m_installPath};
}

void ConfigDlg::accept()
{
    // The running settings take the values all the same and an earlier file is left whole, but
    // the player is told that the next start will not see them.
    QString why;
    if (!SaveConfigIni(m_configPath, values(), &why))
        m_prompt.showMessage(UserPrompt::MessageKind::Warning,
                             QStringLiteral("设置无法保存：") + QDir::toNativeSeparators(m_configPath) + QStringLiteral("\n") + why);
    QDialog::accept();
}

bool ConfigDlg::Edit(GameSettings& running, UserPrompt& prompt, const QString& configPath, QWidget* parent)
{
    ConfigDlg dialog(running, prompt, configPath, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    running = dialog.values();
    return true;
}
