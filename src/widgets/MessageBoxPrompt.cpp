#include "MessageBoxPrompt.h"

#include "CFolderDialog.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

// Every box's text and the answer given, for the player scenarios that read the program's log
// (off unless QT_LOGGING_RULES turns on "korvale.prompt.debug").
Q_LOGGING_CATEGORY(lcPrompt, "korvale.prompt", QtInfoMsg)

namespace {

QString ButtonTexts(const QMessageBox& box)
{
    QStringList texts;
    for (const QAbstractButton* button : box.buttons())
        texts.append(button->text());
    return texts.join(QLatin1Char(' '));
}

QString OneLine(const QString& text) { return QString(text).replace(QLatin1Char('\n'), QStringLiteral(" | ")); }

QMessageBox::Icon IconFor(UserPrompt::MessageKind kind)
{
    switch (kind) {
    case UserPrompt::MessageKind::Information:
        return QMessageBox::Information;
    case UserPrompt::MessageKind::Warning:
        return QMessageBox::Warning;
    case UserPrompt::MessageKind::Error:
        return QMessageBox::Critical;
    case UserPrompt::MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageBoxPrompt::MessageBoxPrompt(QWidget* parent)
    : m_parent(parent)
{
}

bool MessageBoxPrompt::AskYesNo(const QString& question, QuestionKind kind)
{
    const bool cautious = kind == QuestionKind::Cautious;
    QMessageBox box(cautious ? QMessageBox::Question : QMessageBox::NoIcon, Caption(), question,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(cautious ? QMessageBox::No : QMessageBox::Yes);
    qCDebug(lcPrompt).noquote() << "question:" << OneLine(question) << "buttons:" << ButtonTexts(box);
    const bool yes = box.exec() == QMessageBox::Yes;
    qCDebug(lcPrompt).noquote() << "answer:" << (yes ? "yes" : "no");
    return yes;
}

UserPrompt::Answer MessageBoxPrompt::AskYesNoAll(const QString& question, QuestionKind kind)
{
    const bool cautious = kind == QuestionKind::Cautious;
    QMessageBox box(cautious ? QMessageBox::Question : QMessageBox::NoIcon, Caption(), question,
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll, m_parent);
    // Each answer has its key, as in the game's own boxes: Y, A, N, O.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::YesToAll)->setText(QStringLiteral("全部是(&A)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.button(QMessageBox::NoToAll)->setText(QStringLiteral("全部否(&O)"));
    box.setDefaultButton(cautious ? QMessageBox::No : QMessageBox::Yes);
    qCDebug(lcPrompt).noquote() << "question:" << OneLine(question) << "buttons:" << ButtonTexts(box);
    const int pressed = box.exec();
    const Answer answer = pressed == QMessageBox::Yes ? Answer::Yes
        : pressed == QMessageBox::YesToAll           ? Answer::YesToAll
        : pressed == QMessageBox::NoToAll            ? Answer::NoToAll
                                                     : Answer::No;
    static const char* const names[] = {"yes", "no", "yes to all", "no to all"};
    qCDebug(lcPrompt).noquote() << "answer:" << names[int(answer)];
    return answer;
}

void MessageBoxPrompt::ShowMessage(MessageKind kind, const QString& text, const QString& title)
{
    QMessageBox box(IconFor(kind), title, text, QMessageBox::Ok, m_parent);
    qCDebug(lcPrompt).noquote() << "message:" << OneLine(text);
    box.exec();
}

std::optional<QString> MessageBoxPrompt::ChooseFolder(const QString& title, const QString& startFolder)
{
    CFolderDialog dialog(title, startFolder, m_parent);
    qCDebug(lcPrompt).noquote() << "folder picker:" << title << "in" << dialog.directory().absolutePath();
    if (dialog.exec() != QDialog::Accepted) {
        qCDebug(lcPrompt) << "picked: nothing";
        return std::nullopt;
    }
    qCDebug(lcPrompt).noquote() << "picked:" << dialog.ChosenFolder();
    return dialog.ChosenFolder();
}

std::optional<QString> MessageBoxPrompt::ChooseOpenFile(const QString& title, const QString& startPath,
                                                        const QStringList& nameFilters)
{
    QFileDialog dialog(m_parent, title, startPath);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters);
    qCDebug(lcPrompt).noquote() << "file picker:" << title;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    qCDebug(lcPrompt).noquote() << "picked:" << dialog.selectedFiles().constFirst();
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> MessageBoxPrompt::ChooseSaveFile(const QString& title, const QString& startPath,
                                                        const QStringList& nameFilters, const QString& defaultSuffix)
{
    QFileDialog dialog(m_parent, title, startPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters);
    dialog.setDefaultSuffix(defaultSuffix);
    qCDebug(lcPrompt).noquote() << "save picker:" << title;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    qCDebug(lcPrompt).noquote() << "picked:" << dialog.selectedFiles().constFirst();
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
