#pragma once

#include "UserPrompt.h"

#include <QList>
#include <QString>

// Answers questions from a script and remembers everything it was asked and told.
// Tests and programs that must never block on a person use it.
class ScriptedPrompt : public UserPrompt {
public:
    struct Message {
        MessageKind kind;
        QString text;
    };

    // Queues the answer to the next question. A question with no queued answer gets No.
    void answerNext(bool yes);

    bool askYesNo(const QString& question) override;
    void showMessage(MessageKind kind, const QString& text) override;

    const QList<QString>& questions() const { return m_questions; }
    const QList<Message>& messages() const { return m_messages; }

private:
    QList<bool> m_answers;
    QList<QString> m_questions;
    QList<Message> m_messages;
};
