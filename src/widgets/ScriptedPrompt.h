#pragma once

#include "UserPrompt.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Answers questions and pickers from a script and remembers everything it was asked and told.
// Tests and programs that must never block on a person use it.
class ScriptedPrompt : public UserPrompt {
public:
    struct Message {
        MessageKind kind;
        QString text;
        QString title;
    };

    struct Question {
        QString text;
        QuestionKind kind;
    };

    // What a picker was opened with.
    struct Picker {
        QString title;
        QString startPath;
        QStringList nameFilters;
    };

    // Queues the answer to the next question. A question with no queued answer gets No.
    void AnswerNext(bool yes);

    // Queues what the next picker (folder, open or save) returns; nothing means Cancel. A picker
    // with no queued pick is cancelled.
    void PickNext(std::optional<QString> path);

    // Queues the answer to the next question that offers 全部是 and 全部否; without one queued such
    // a question takes the next plain answer.
    void AnswerNextAll(Answer answer);

    bool AskYesNo(const QString& question, QuestionKind kind = QuestionKind::Plain) override;
    Answer AskYesNoAll(const QString& question, QuestionKind kind = QuestionKind::Plain) override;
    using UserPrompt::ShowMessage;
    void ShowMessage(MessageKind kind, const QString& text, const QString& title) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> ChooseOpenFile(const QString& title, const QString& startPath,
                                          const QStringList& nameFilters) override;
    std::optional<QString> ChooseSaveFile(const QString& title, const QString& startPath,
                                          const QStringList& nameFilters, const QString& defaultSuffix) override;

    // The question texts in the order asked.
    QList<QString> Questions() const;
    const QList<Question>& AskedQuestions() const { return m_questions; }
    const QList<Message>& Messages() const { return m_messages; }
    // The texts of the messages shown, in order: what most checks compare.
    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const Message& message : m_messages)
            texts.append(message.text);
        return texts;
    }
    const QList<Picker>& Pickers() const { return m_pickers; }

private:
    std::optional<QString> NextPick(Picker picker);

    QList<bool> m_answers;
    QList<Answer> m_allAnswers;
    QList<std::optional<QString>> m_picks;
    QList<Question> m_questions;
    QList<Message> m_messages;
    QList<Picker> m_pickers;
};
