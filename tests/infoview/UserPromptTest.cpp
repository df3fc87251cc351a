#include "PanelTestSupport.h"

#include "MessageBoxPrompt.h"
#include "ScriptedPrompt.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class MessageBoxPromptTest : public korvale::test::WidgetTest {
protected:
    // Looks at the box once it is up, then presses one of its buttons.
    void whenBoxShows(std::function<void(QMessageBox&)> inspect, QMessageBox::StandardButton press)
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
    whenBoxShows(
        [](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "Korvale");
            EXPECT_EQ(box.text(), "修复吗？\n会备份。");
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        },
        QMessageBox::Yes);
    EXPECT_TRUE(prompt.askYesNo(QStringLiteral("修复吗？\n会备份。")));
    EXPECT_TRUE(shown);

    whenBoxShows([](QMessageBox&) {}, QMessageBox::No);
    EXPECT_FALSE(prompt.askYesNo(QStringLiteral("再修复吗？")));
}

TEST_F(MessageBoxPromptTest, MessagesCarryTheIconOfTheirKind)
{
    MessageBoxPrompt prompt;
    whenBoxShows(
        [](QMessageBox& box) {
            EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box.text(), "修复成功!");
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        },
        QMessageBox::Ok);
    prompt.showMessage(UserPrompt::MessageKind::Plain, QStringLiteral("修复成功!"));
    EXPECT_TRUE(shown);

    whenBoxShows([](QMessageBox& box) { EXPECT_EQ(box.icon(), QMessageBox::Critical); }, QMessageBox::Ok);
    prompt.showMessage(UserPrompt::MessageKind::Error, QStringLiteral("无法打开文件！"));
    whenBoxShows([](QMessageBox& box) { EXPECT_EQ(box.icon(), QMessageBox::Information); }, QMessageBox::Ok);
    prompt.showMessage(UserPrompt::MessageKind::Information, QStringLiteral("完成"));
}

TEST(ScriptedPrompt, AnswersInOrderThenNoAndKeepsEverything)
{
    ScriptedPrompt prompt;
    prompt.answerNext(true);
    prompt.answerNext(false);
    EXPECT_TRUE(prompt.askYesNo(QStringLiteral("一")));
    EXPECT_FALSE(prompt.askYesNo(QStringLiteral("二")));
    EXPECT_FALSE(prompt.askYesNo(QStringLiteral("三")));
    prompt.showMessage(UserPrompt::MessageKind::Error, QStringLiteral("错"));
    EXPECT_EQ(prompt.questions(), QStringList({"一", "二", "三"}));
    ASSERT_EQ(prompt.messages().size(), 1);
    EXPECT_EQ(prompt.messages()[0].kind, UserPrompt::MessageKind::Error);
    EXPECT_EQ(prompt.messages()[0].text, "错");
}
