#include "CFolderDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

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

QString CFolderDialog::ChosenFolder() const { return m_chosen; }

void CFolderDialog::accept()
{
    // The folder the player points at: the entry selected (its name fills the name field), else
    // the path typed there (absolute, or below the folder shown), else the folder shown.
    const QStringList picked = selectedFiles();
    const QString folder = QDir::cleanPath(picked.isEmpty() ? directory().absolutePath() : picked.constFirst());
    if (!QFileInfo(folder).isDir()) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("文件夹不存在：") + QDir::toNativeSeparators(folder));
        return;
    }
    m_chosen = QDir::toNativeSeparators(folder);
    QDialog::accept();
}
