#include "MessageBoxPrompt.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon IconFor(UserPrompt::MessageKind kind)
{
    switch (kind) {
    case UserPrompt::MessageKind::Information:
        return QMessageBox::Information;
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

bool MessageBoxPrompt::askYesNo(const QString& question)
{
    QMessageBox box(QMessageBox::NoIcon, caption(), question, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompt::showMessage(MessageKind kind, const QString& text)
{
    QMessageBox box(IconFor(kind), caption(), text, QMessageBox::Ok, m_parent);
    box.exec();
}
