#include "ProgressDialogSink.h"

#include <QProgressDialog>

ProgressDialogSink::~ProgressDialogSink() { finish(); }

void ProgressDialogSink::start(const QString& title, int total)
{
    finish();
    m_dialog = new QProgressDialog(QString(), QStringLiteral("取消"), 0, total, m_parent);
    m_dialog->setObjectName(QStringLiteral("fileProgress"));
    m_dialog->setWindowTitle(title);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

bool ProgressDialogSink::advance(int done, const QString& name)
{
    if (!m_dialog)
        return true;
    m_dialog->setLabelText(name);
    // setValue lets the dialog show itself after its minimum duration and take the Cancel click.
    m_dialog->setValue(done);
    return !m_dialog->wasCanceled();
}

void ProgressDialogSink::finish()
{
    if (m_dialog)
        delete m_dialog.data();
}
