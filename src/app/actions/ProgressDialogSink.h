#pragma once

#include "ProgressSink.h"

#include <QPointer>

#include <functional>

class QProgressDialog;
class QWidget;

// Shows a long file or archive run in a progress dialog that appears only once the run has taken
// half a second, names the file being handled and lets the user cancel after it.
class ProgressDialogSink : public ProgressSink {
public:
    // Milliseconds on a steady clock; tests pass one they move by hand.
    using Clock = std::function<qint64()>;
    static constexpr qint64 ShowAfterMs = 500;

    explicit ProgressDialogSink(QWidget* parent, Clock clock = {});
    ~ProgressDialogSink() override;

    void Start(const QString& title, int total) override;
    bool Advance(int done, const QString& name) override;
    void Finish() override;

private:
    QWidget* m_parent;
    Clock m_clock;
    qint64 m_started = 0;
    QPointer<QProgressDialog> m_dialog;
};
