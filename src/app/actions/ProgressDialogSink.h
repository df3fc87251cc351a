#pragma once

#include "ProgressSink.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

// Shows a long file or archive run in a progress dialog that appears only once the run has taken
// about half a second, names the file being handled and lets the user cancel after it.
class ProgressDialogSink : public ProgressSink {
public:
    explicit ProgressDialogSink(QWidget* parent) : m_parent(parent) {}
    ~ProgressDialogSink() override;

    void start(const QString& title, int total) override;
    bool advance(int done, const QString& name) override;
    void finish() override;

private:
    QWidget* m_parent;
    QPointer<QProgressDialog> m_dialog;
};
