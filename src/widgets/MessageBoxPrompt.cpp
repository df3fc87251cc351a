#include "MessageBoxPrompt.h"

#include "CFolderDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

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

bool MessageBoxPrompt::askYesNo(const QString& question, QuestionKind kind)
{
    const bool cautious = kind == QuestionKind::Cautious;
    QMessageBox box(cautious ? QMessageBox::Question : QMessageBox::NoIcon, caption(), question,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(cautious ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

UserPrompt::Answer MessageBoxPrompt::askYesNoAll(const QString& question, QuestionKind kind)
{
    const bool cautious = kind == QuestionKind::Cautious;
    QMessageBox box(cautious ? QMessageBox::Question : QMessageBox::NoIcon, caption(), question,
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::YesToAll)->setText(QStringLiteral("全部是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.button(QMessageBox::NoToAll)->setText(QStringLiteral("全部否"));
    box.setDefaultButton(cautious ? QMessageBox::No : QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::YesToAll: return Answer::YesToAll;
    case QMessageBox::NoToAll: return Answer::NoToAll;
    default: return Answer::No;
    }
}

void MessageBoxPrompt::showMessage(MessageKind kind, const QString& text, const QString& title)
{
    QMessageBox box(IconFor(kind), title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

std::optional<QString> MessageBoxPrompt::chooseFolder(const QString& title, const QString& startFolder)
{
    CFolderDialog dialog(title, startFolder, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenFolder();
}

std::optional<QString> MessageBoxPrompt::chooseOpenFile(const QString& title, const QString& startPath,
                                                        const QStringList& nameFilters)
{
    QFileDialog dialog(m_parent, title, startPath);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> MessageBoxPrompt::chooseSaveFile(const QString& title, const QString& startPath,
                                                        const QStringList& nameFilters, const QString& defaultSuffix)
{
    QFileDialog dialog(m_parent, title, startPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
