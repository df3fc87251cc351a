#include "PathComboEdit.h"

#include "CommandTable.h"
#include "NavigationEvent.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

PathComboEdit::PathComboEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("pathComboEdit"));
}

void PathComboEdit::ClearSelection()
{
    if (hasSelectedText())
        del();
}

void PathComboEdit::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // The path box owns the navigation; it reads the text when the event arrives.
        if (parentWidget())
            QCoreApplication::postEvent(parentWidget(), new NavigationEvent(NavigationEvent::GoToTypedPath, {}));
        event->accept();
        return;
    }
    if (plain && event->key() == Qt::Key_Delete) {
        ClearSelection();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void PathComboEdit::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_commands) {
        QLineEdit::contextMenuEvent(event);
        return;
    }
    QMenu* menu = m_commands->BuildMenu({}, Commands::TextFieldMenu(), this, CommandTable::WithoutPrompt);
    menu->setObjectName(QStringLiteral("textFieldMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}
