#pragma once

#include <QString>

// Where long file and archive runs report how far they are, so the engines stay free of widgets.
// This base shows nothing and never cancels; the application hands in a progress dialog.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;

    // A run of total steps starts; title says what it does.
    virtual void Start(const QString& title, int total) { Q_UNUSED(title); Q_UNUSED(total); }

    // Step done (0-based) begins on the named file. False once the user asked to cancel: the
    // caller then stops before that step, so every file finished so far stays whole.
    virtual bool Advance(int done, const QString& name) { Q_UNUSED(done); Q_UNUSED(name); return true; }

    virtual void Finish() {}
};
