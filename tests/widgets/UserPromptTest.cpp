#include "TestApplication.h"

#include "MessageBoxPrompt.h"
#include "ScriptedPrompt.h"

#include "CFolderDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class MessageBoxPromptTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { korvale::test::EnsureApplicationOf<QApplication>("korvale_widgets_tests"); }

    // Looks at the box once it is up, then presses one of its buttons.
    void WhenBoxShows(std::function<void(QMessageBox&)> inspect, QMessageBox::StandardButton press)
    {
        QTimer::singleShot(0, [inspect, press, this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = true;
            inspect(*box);
            box->button(press)->click();
        });
    }

    bool shown = false;
};

} // namespace

TEST_F(MessageBoxPromptTest, QuestionHasTheCaptionTheTextAndYesNo)
{
    MessageBoxPrompt prompt;
    WhenBoxShows(
        [](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "Korvale");
            EXPECT_EQ(box.text(), "修复吗？\n会备份。");
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        },
        QMessageBox::Yes);
    EXPECT_TRUE(prompt.AskYesNo(QStringLiteral("修复吗？\n会备份。")));
    EXPECT_TRUE(shown);

    WhenBoxShows([](QMessageBox&) {}, QMessageBox::No);
    EXPECT_FALSE(prompt.AskYesNo(QStringLiteral("再修复吗？")));
}

TEST_F(MessageBoxPromptTest, CautiousQuestionShowsTheQuestionIconAndDefaultsToNo)
{
    MessageBoxPrompt prompt;
    WhenBoxShows(
        [](QMessageBox& box) {
            EXPECT_EQ(box.icon(), QMessageBox::Question);
            EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::No));
        },
        QMessageBox::Yes);
    EXPECT_TRUE(prompt.AskYesNo(QStringLiteral("文件已存在，是否覆盖？"), UserPrompt::QuestionKind::Cautious));
    EXPECT_TRUE(shown);
    WhenBoxShows([](QMessageBox& box) { EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::Yes)); },
                 QMessageBox::No);
    prompt.AskYesNo(QStringLiteral("确定删除\"a.mgx\"？\n"));
}

TEST_F(MessageBoxPromptTest, FolderPickerConfirmsTheFolderBeingShown)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("inner/deeper")));
    MessageBoxPrompt prompt;
    QTimer::singleShot(0, [&] {
        auto* dialog = QApplication::activeModalWidget()->findChild<QDialogButtonBox*>();
        ASSERT_NE(dialog, nullptr);
        auto* picker = qobject_cast<CFolderDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->windowTitle(), "移动到...");
        EXPECT_EQ(picker->labelText(QFileDialog::Accept), "确定");
        picker->setDirectory(root.path() + QStringLiteral("/inner"));
        picker->accept();
    });
    EXPECT_EQ(prompt.ChooseFolder(QStringLiteral("移动到..."), root.path()),
              QDir::toNativeSeparators(root.path() + QStringLiteral("/inner")));

    QTimer::singleShot(0, [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
    EXPECT_EQ(prompt.ChooseFolder(QStringLiteral("拷贝到..."), QString()), std::nullopt);
}

TEST_F(MessageBoxPromptTest, FolderPickerTakesTheSubfolderSelectedElseThePathTyped)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("inner/deeper")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("elsewhere")));
    MessageBoxPrompt prompt;
    const auto picker = [] { return qobject_cast<CFolderDialog*>(QApplication::activeModalWidget()); };
    const auto nameField = [&] { return picker()->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); };

    // One click on a subfolder fills the name field with its name: that subfolder is the target.
    QTimer::singleShot(0, [&] {
        ASSERT_NE(picker(), nullptr);
        EXPECT_EQ(QDir(picker()->directory()).absolutePath(), QDir(root.path()).absolutePath());
        picker()->selectFile(QStringLiteral("inner"));
        picker()->accept();
    });
    EXPECT_EQ(prompt.ChooseFolder(QStringLiteral("拷贝到..."), root.path()), QDir::toNativeSeparators(root.filePath("inner")));

    // A full path typed in the name field wins over the folder shown.
    QTimer::singleShot(0, [&] {
        ASSERT_NE(nameField(), nullptr);
        nameField()->setText(root.filePath(QStringLiteral("elsewhere")));
        picker()->accept();
    });
    EXPECT_EQ(prompt.ChooseFolder(QStringLiteral("拷贝到..."), root.filePath("inner")),
              QDir::toNativeSeparators(root.filePath("elsewhere")));

    // A typed folder that does not exist is refused with a word; the picker stays open.
    bool warned = false;
    QTimer::singleShot(0, [&] {
        nameField()->setText(root.filePath(QStringLiteral("missing")));
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            warned = box->text().startsWith(QStringLiteral("文件夹不存在："));
            box->accept();
        });
        picker()->accept();
        ASSERT_NE(picker(), nullptr);
        EXPECT_TRUE(picker()->isVisible());
        picker()->reject();
    });
    EXPECT_EQ(prompt.ChooseFolder(QStringLiteral("拷贝到..."), root.path()), std::nullopt);
    EXPECT_TRUE(warned);
}

TEST_F(MessageBoxPromptTest, MessagesCarryTheIconOfTheirKind)
{
    MessageBoxPrompt prompt;
    WhenBoxShows(
        [](QMessageBox& box) {
            EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box.text(), "修复成功!");
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        },
        QMessageBox::Ok);
    prompt.ShowMessage(UserPrompt::MessageKind::Plain, QStringLiteral("修复成功!"));
    EXPECT_TRUE(shown);

    WhenBoxShows([](QMessageBox& box) { EXPECT_EQ(box.icon(), QMessageBox::Critical); }, QMessageBox::Ok);
    prompt.ShowMessage(UserPrompt::MessageKind::Error, QStringLiteral("无法打开文件！"));
    WhenBoxShows([](QMessageBox& box) { EXPECT_EQ(box.icon(), QMessageBox::Information); }, QMessageBox::Ok);
    prompt.ShowMessage(UserPrompt::MessageKind::Information, QStringLiteral("完成"));
    WhenBoxShows(
        [](QMessageBox& box) {
            EXPECT_EQ(box.icon(), QMessageBox::Warning);
            EXPECT_EQ(box.windowTitle(), "提示");
        },
        QMessageBox::Ok);
    prompt.ShowMessage(UserPrompt::MessageKind::Warning, QStringLiteral("未设置"), QStringLiteral("提示"));
}

TEST(ScriptedPrompt, AnswersInOrderThenNoAndKeepsEverything)
{
    ScriptedPrompt prompt;
    prompt.AnswerNext(true);
    prompt.AnswerNext(false);
    EXPECT_TRUE(prompt.AskYesNo(QStringLiteral("一")));
    EXPECT_FALSE(prompt.AskYesNo(QStringLiteral("二")));
    EXPECT_FALSE(prompt.AskYesNo(QStringLiteral("三")));
    prompt.ShowMessage(UserPrompt::MessageKind::Error, QStringLiteral("错"));
    EXPECT_EQ(prompt.Questions(), QStringList({"一", "二", "三"}));
    ASSERT_EQ(prompt.Messages().size(), 1);
    EXPECT_EQ(prompt.Messages()[0].kind, UserPrompt::MessageKind::Error);
    EXPECT_EQ(prompt.Messages()[0].text, "错");
}

TEST(ScriptedPrompt, PickersTakeQueuedPathsThenCancelAndRecordHowTheyWereOpened)
{
    ScriptedPrompt prompt;
    prompt.PickNext(QStringLiteral("/rec"));
    prompt.PickNext(std::nullopt);
    EXPECT_EQ(prompt.ChooseFolder(QStringLiteral("拷贝到..."), QString()), QStringLiteral("/rec"));
    EXPECT_EQ(prompt.ChooseSaveFile(QStringLiteral("保存"), QStringLiteral("/a"), {QStringLiteral("Zip Files (*.Zip)")},
                                    QStringLiteral("zip")),
              std::nullopt);
    EXPECT_EQ(prompt.ChooseOpenFile(QStringLiteral("打开"), QString(), {}), std::nullopt);
    ASSERT_EQ(prompt.Pickers().size(), 3);
    EXPECT_EQ(prompt.Pickers()[0].title, "拷贝到...");
    EXPECT_EQ(prompt.Pickers()[1].startPath, "/a");
    EXPECT_EQ(prompt.Pickers()[1].nameFilters, QStringList({"Zip Files (*.Zip)"}));
}
