#include "NameEditDelegate.h"

#include <QLineEdit>

NameEditDelegate::NameEditDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
    // A committed edit passes setModelData before the editor closes; a cancelled one only closes.
    connect(this, &QAbstractItemDelegate::closeEditor, this, &NameEditDelegate::OnCloseEditor);
}

QWidget* NameEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    m_edited = index;
    m_hasCommitted = false;
    m_committed.clear();
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->setObjectName(QStringLiteral("nameEditor"));
    return editor;
}

void NameEditDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        m_committed = line->text();
        m_hasCommitted = true;
    }
}

void NameEditDelegate::OnCloseEditor()
{
    if (!m_edited.isValid())
        return;
    const int row = m_edited.row();
    // A null text tells the listener the edit was cancelled; an accepted empty text is "".
    QString text;
    if (m_hasCommitted)
        text = m_committed.isNull() ? QString(0, QChar()) : m_committed;
    const QPersistentModelIndex edited = m_edited;
    m_edited = QPersistentModelIndex();
    m_hasCommitted = false;
    // The view still uses the editor after this signal; a listener's message box, run from here,
    // would let the editor be deleted under it. The report waits until the editor is gone.
    QMetaObject::invokeMethod(this, [this, edited, row, text] {
        Q_EMIT EditEnded(edited.isValid() ? edited.row() : row, text);
    }, Qt::QueuedConnection);
}
