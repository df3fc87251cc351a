#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

// Edits column 0 in place without renaming anything: when the edit ends it reports the row and
// the text typed, or a null text when the edit was cancelled. Whoever listens does the rename.
class NameEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit NameEditDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

Q_SIGNALS:
    void EditEnded(int row, const QString& newName);

private:
    void OnCloseEditor();

    mutable QPersistentModelIndex m_edited;
    mutable QString m_committed;
    mutable bool m_hasCommitted = false;
};
