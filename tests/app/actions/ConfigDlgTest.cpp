#include "ConfigDlg.h"
#include "TestApplication.h"
#include "ScriptedPrompt.h"
#include "SettingsFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

class ConfigDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        korvale::test::EnsureApplicationOf<QApplication>("korvale_app_tests");
    }

    template <typename T>
    static T* Child(const QDialog& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void Click(const QDialog& dialog, const char* button) { Child<QPushButton>(dialog, button)->click(); }

    static void Type(const QDialog& dialog, const char* edit, const QString& text)
    {
        Child<QLineEdit>(dialog, edit)->setText(text);
    }

    bool ConfigWritten() const { return QFile::exists(configPath); }

    QString ExistingFolder(const QString& name) const
    {
        QDir(folder.path()).mkpath(name);
        return folder.filePath(name);
    }
    QString ExistingFile(const QString& name) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    // Presses a button of the dialog once it runs modally, after `act` has worked on it.
    static void WhenShown(std::function<void(QDialog&)> act)
    {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
        });
    }

    const GameSettings running{QStringLiteral("/games/SaveGame"), QStringLiteral("/games/age2_x1.exe"),
                               QStringLiteral("/games/age2_x1/age2_x1.exe"), QStringLiteral("/games")};
    QTemporaryDir folder;
    QString configPath = folder.filePath(QStringLiteral("cfg/config.ini"));
    ScriptedPrompt prompt;
};

} // namespace

TEST_F(ConfigDlgTest, OpensWithTheValuesItWasGiven)
{
    ConfigDlg dialog(running, prompt, configPath);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置"));
    EXPECT_EQ(Child<QGroupBox>(dialog, "generalGroup")->title(), QStringLiteral("一般设置"));
    EXPECT_EQ(Child<QLabel>(dialog, "saveGameFolderLabel")->text(), QStringLiteral("SaveGame目录位置："));
    EXPECT_EQ(Child<QLabel>(dialog, "gameExe10aLabel")->text(), QStringLiteral("1.0A版帝国exe文件位置："));
    EXPECT_EQ(Child<QLabel>(dialog, "gameExe10cLabel")->text(), QStringLiteral("1.0C版帝国exe文件位置："));
    EXPECT_EQ(Child<QLineEdit>(dialog, "saveGameFolderEdit")->text(), running.SaveGameFolder);
    EXPECT_EQ(Child<QLineEdit>(dialog, "gameExe10aEdit")->text(), running.GameExe10a);
    EXPECT_EQ(Child<QLineEdit>(dialog, "gameExe10cEdit")->text(), running.GameExe10c);
    EXPECT_TRUE(Child<QPushButton>(dialog, "okButton")->isDefault());
    EXPECT_EQ(dialog.Values(), running);
}

TEST_F(ConfigDlgTest, LayoutKeepsEveryControlInItsPlace)
{
    ConfigDlg dialog(running, prompt, configPath);
    dialog.setAttribute(Qt::WA_DontShowOnScreen);
    dialog.show();
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    // The smallest screen it must fit: every control inside, none cut at an edge.
    EXPECT_LE(dialog.width(), 1280);
    EXPECT_LE(dialog.height(), 800);
    for (const QWidget* control : dialog.findChildren<QWidget*>()) {
        if (control->parentWidget() == &dialog) {
            EXPECT_TRUE(dialog.rect().contains(control->geometry())) << control->objectName().toStdString();
        }
    }
    const QRect group = Child<QGroupBox>(dialog, "generalGroup")->geometry();
    EXPECT_TRUE(dialog.rect().contains(group));
    int previousBottom = group.top();
    for (const char* row : {"saveGameFolder", "gameExe10a", "gameExe10c"}) {
        const QByteArray name(row);
        const QRect label = Child<QLabel>(dialog, name + "Label")->geometry();
        const QRect edit = Child<QLineEdit>(dialog, name + "Edit")->geometry();
        const QRect browse = Child<QPushButton>(dialog, name + "Browse")->geometry();
        EXPECT_GT(label.top(), previousBottom) << row;
        EXPECT_LT(label.bottom(), edit.top()) << row;
        EXPECT_LT(edit.right(), browse.left()) << row;
        EXPECT_LE(std::abs(edit.center().y() - browse.center().y()), 1) << row;
        EXPECT_GE(edit.width(), 300) << row << ": room for a path";
        EXPECT_TRUE(group.contains(label) && group.contains(edit) && group.contains(browse)) << row;
        previousBottom = edit.bottom();
    }
    const QRect ok = Child<QPushButton>(dialog, "okButton")->geometry();
    const QRect cancel = Child<QPushButton>(dialog, "cancelButton")->geometry();
    EXPECT_GT(ok.top(), group.bottom());
    EXPECT_EQ(ok.top(), cancel.top());
    EXPECT_LT(ok.right(), cancel.left());
    EXPECT_LE(std::abs(cancel.right() - group.right()), 1);
    EXPECT_TRUE(dialog.rect().contains(cancel));

    // A picture to look at: KORVALE_SCREENSHOTS names a folder to write it to.
    const QString shots = qEnvironmentVariable("KORVALE_SCREENSHOTS");
    if (!shots.isEmpty())
        dialog.grab().save(QDir(shots).filePath(QStringLiteral("config-dlg.png")));
}

TEST_F(ConfigDlgTest, PickersFillTheBoxes)
{
    ConfigDlg dialog(running, prompt, configPath);
    prompt.PickNext(QStringLiteral("C:\\"));
    Click(dialog, "saveGameFolderBrowse");
    EXPECT_EQ(Child<QLineEdit>(dialog, "saveGameFolderEdit")->text(), QStringLiteral("C:"));
    prompt.PickNext(QStringLiteral("/home/u/SaveGame"));
    Click(dialog, "saveGameFolderBrowse");
    EXPECT_EQ(Child<QLineEdit>(dialog, "saveGameFolderEdit")->text(), QStringLiteral("/home/u/SaveGame"));
    prompt.PickNext(QStringLiteral("/p/a/age2_x1.exe"));
    Click(dialog, "gameExe10aBrowse");
    prompt.PickNext(QStringLiteral("/p/c/aoc.exe"));
    Click(dialog, "gameExe10cBrowse");
    EXPECT_EQ(dialog.Values(), (GameSettings{QStringLiteral("/home/u/SaveGame"), QStringLiteral("/p/a/age2_x1.exe"),
                                             QStringLiteral("/p/c/aoc.exe"), running.GameInstallPath}));

    ASSERT_EQ(prompt.Pickers().size(), 4);
    EXPECT_EQ(prompt.Pickers()[0].title, QStringLiteral("打开SaveGame文件夹..."));
    EXPECT_TRUE(prompt.Pickers()[0].startPath.isEmpty());
    EXPECT_EQ(prompt.Pickers()[2].startPath, QStringLiteral("age2_x1.exe"));
    EXPECT_EQ(prompt.Pickers()[2].nameFilters.value(0), QStringLiteral("age2_x1.exe (age2_x1.exe)"));
    EXPECT_TRUE(prompt.Pickers()[3].nameFilters.contains(QStringLiteral("*.exe (*.exe *.EXE)")));

    // A cancelled picker changes nothing.
    Click(dialog, "gameExe10aBrowse");
    Click(dialog, "saveGameFolderBrowse");
    EXPECT_EQ(Child<QLineEdit>(dialog, "gameExe10aEdit")->text(), QStringLiteral("/p/a/age2_x1.exe"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "saveGameFolderEdit")->text(), QStringLiteral("/home/u/SaveGame"));
    EXPECT_FALSE(ConfigWritten());
}

TEST_F(ConfigDlgTest, OkSavesTheBoxesAsTheyStandAndHandsThemBack)
{
    GameSettings edited = running;
    const QString typed = ExistingFolder("typed");
    const QString picked = ExistingFile("age2_x1.exe");
    WhenShown([&](QDialog& dialog) {
        Type(dialog, "saveGameFolderEdit", typed);
        Type(dialog, "gameExe10cEdit", QString());
        prompt.PickNext(picked);
        Click(dialog, "gameExe10aBrowse");
        Click(dialog, "okButton");
    });
    EXPECT_TRUE(ConfigDlg::Edit(edited, prompt, configPath));
    const GameSettings expected{typed, picked, QString(), running.GameInstallPath};
    EXPECT_EQ(edited, expected);
    QFile file(configPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ComposeConfigIni(expected));
}

TEST_F(ConfigDlgTest, CancelKeepsEverythingEvenAPickedPath)
{
    GameSettings edited = running;
    WhenShown([this](QDialog& dialog) {
        Type(dialog, "saveGameFolderEdit", QStringLiteral("/typed"));
        prompt.PickNext(QStringLiteral("/picked/age2_x1.exe"));
        Click(dialog, "gameExe10aBrowse");
        Click(dialog, "cancelButton");
    });
    EXPECT_FALSE(ConfigDlg::Edit(edited, prompt, configPath));
    EXPECT_EQ(edited, running);
    EXPECT_FALSE(ConfigWritten());

    // Closing the window is the same as "取消".
    WhenShown([](QDialog& dialog) {
        Type(dialog, "gameExe10cEdit", QStringLiteral("/typed"));
        dialog.close();
    });
    EXPECT_FALSE(ConfigDlg::Edit(edited, prompt, configPath));
    EXPECT_EQ(edited, running);
    EXPECT_FALSE(ConfigWritten());
}

TEST_F(ConfigDlgTest, AFailedSaveStillHandsBackTheValuesAndSaysSo)
{
    QFile blocker(folder.filePath(QStringLiteral("cfg")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    GameSettings edited = running;
    edited.SaveGameFolder = ExistingFolder("SaveGame");
    edited.GameExe10c.clear();
    const QString exe = ExistingFile("new.exe");
    WhenShown([&](QDialog& dialog) {
        Type(dialog, "gameExe10aEdit", exe);
        Click(dialog, "okButton");
    });
    EXPECT_TRUE(ConfigDlg::Edit(edited, prompt, configPath));
    EXPECT_EQ(edited.GameExe10a, exe);
    ASSERT_EQ(prompt.Messages().size(), 1);
    EXPECT_TRUE(prompt.Messages()[0].text.startsWith(QStringLiteral("设置无法保存：") + QDir::toNativeSeparators(configPath) + '\n'))
        << prompt.Messages()[0].text.toStdString();
    EXPECT_GT(prompt.Messages()[0].text.size(), (QStringLiteral("设置无法保存：") + configPath + '\n').size()) << "and why";
    EXPECT_EQ(prompt.Messages()[0].kind, UserPrompt::MessageKind::Warning);
}

TEST_F(ConfigDlgTest, AFolderOrExecutableThatDoesNotExistIsRefusedWithAWord)
{
    GameSettings edited{ExistingFolder("SaveGame"), QString(), QString(), QString()};
    bool stillOpen = false;
    WhenShown([&](QDialog& dialog) {
        Type(dialog, "gameExe10aEdit", folder.filePath("missing.exe"));
        Click(dialog, "okButton");
        stillOpen = dialog.isVisible();
        Type(dialog, "gameExe10aEdit", QString());
        Type(dialog, "saveGameFolderEdit", folder.filePath("gone"));
        Click(dialog, "okButton");
        Type(dialog, "saveGameFolderEdit", edited.SaveGameFolder);
        Click(dialog, "okButton");
    });
    EXPECT_TRUE(ConfigDlg::Edit(edited, prompt, configPath));
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(prompt.Messages().size(), 2);
    EXPECT_EQ(prompt.Messages()[0].text, "1.0A版帝国exe文件不存在：" + folder.filePath("missing.exe"));
    EXPECT_EQ(prompt.Messages()[0].kind, UserPrompt::MessageKind::Warning);
    EXPECT_EQ(prompt.Messages()[1].text, "SaveGame目录不存在：" + folder.filePath("gone"));
    EXPECT_EQ(edited.GameExe10a, QString());
    EXPECT_TRUE(ConfigWritten());
}
