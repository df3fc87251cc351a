#include "CFolderDialog.h"

#include <QDir>

CFolderDialog::CFolderDialog(const QString& title, const QString& startFolder, QWidget* parent)
    : QFileDialog(parent, title, startFolder)
{
    setObjectName(QStringLiteral("folderDialog"));
    // The platform's own dialog would ignore the accept label and the "folder being shown" rule.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::ShowDirsOnly, true);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::Accept, QStringLiteral("确定"));
    setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
}

QString CFolderDialog::chosenFolder() const { return m_chosen; }

void CFolderDialog::accept()
{
    m_chosen = QDir::toNativeSeparators(QDir::cleanPath(directory().absolutePath()));
    QDialog::accept();
}
