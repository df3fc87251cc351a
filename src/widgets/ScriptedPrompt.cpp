#include "ScriptedPrompt.h"

void ScriptedPrompt::AnswerNext(bool yes) { m_answers.append(yes); }

void ScriptedPrompt::PickNext(std::optional<QString> path) { m_picks.append(std::move(path)); }

bool ScriptedPrompt::AskYesNo(const QString& question, QuestionKind kind)
{
    m_questions.append({question, kind});
    return m_answers.isEmpty() ? false : m_answers.takeFirst();
}

void ScriptedPrompt::AnswerNextAll(Answer answer) { m_allAnswers.append(answer); }

UserPrompt::Answer ScriptedPrompt::AskYesNoAll(const QString& question, QuestionKind kind)
{
    if (m_allAnswers.isEmpty())
        return AskYesNo(question, kind) ? Answer::Yes : Answer::No;
    m_questions.append({question, kind});
    return m_allAnswers.takeFirst();
}

void ScriptedPrompt::ShowMessage(MessageKind kind, const QString& text, const QString& title)
{
    m_messages.append({kind, text, title});
}

std::optional<QString> ScriptedPrompt::ChooseFolder(const QString& title, const QString& startFolder)
{
    return NextPick({title, startFolder, {}});
}

std::optional<QString> ScriptedPrompt::ChooseOpenFile(const QString& title, const QString& startPath,
                                                      const QStringList& nameFilters)
{
    return NextPick({title, startPath, nameFilters});
}

std::optional<QString> ScriptedPrompt::ChooseSaveFile(const QString& title, const QString& startPath,
                                                      const QStringList& nameFilters, const QString&)
{
    return NextPick({title, startPath, nameFilters});
}

QList<QString> ScriptedPrompt::Questions() const
{
    QList<QString> texts;
    for (const Question& question : m_questions)
        texts.append(question.text);
    return texts;
}

std::optional<QString> ScriptedPrompt::NextPick(Picker picker)
{
    m_pickers.append(std::move(picker));
    return m_picks.isEmpty() ? std::nullopt : m_picks.takeFirst();
}
