#include "ProgressDialogSink.h"

#include <QProgressDialog>

#include <chrono>
#include <limits>

namespace {

// Shown by the sink when it decides; forceShow also makes setValue take the Cancel click from then on.
class OnDemandProgressDialog : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;
    using QProgressDialog::forceShow;
};

qint64 SteadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

ProgressDialogSink::ProgressDialogSink(QWidget* parent, Clock clock)
    : m_parent(parent), m_clock(clock ? std::move(clock) : Clock(SteadyMilliseconds))
{
}

ProgressDialogSink::~ProgressDialogSink() { Finish(); }

void ProgressDialogSink::Start(const QString& title, int total)
{
    Finish();
    m_dialog = new OnDemandProgressDialog(QString(), QStringLiteral("取消"), 0, total, m_parent);
    m_dialog->setObjectName(QStringLiteral("fileProgress"));
    m_dialog->setWindowTitle(title);
    m_dialog->setWindowModality(Qt::WindowModal);
    // The dialog's own timer would show it by its guess of the run's length; the sink decides by
    // the time taken so far instead.
    m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
    m_started = m_clock();
}

bool ProgressDialogSink::Advance(int done, const QString& name)
{
    if (!m_dialog)
        return true;
    m_dialog->setLabelText(name);
    if (!m_dialog->isVisible() && m_clock() - m_started >= ShowAfterMs)
        static_cast<OnDemandProgressDialog*>(m_dialog.data())->forceShow();
    m_dialog->setValue(done);
    return !m_dialog->wasCanceled();
}

void ProgressDialogSink::Finish()
{
    if (m_dialog)
        delete m_dialog.data();
}
