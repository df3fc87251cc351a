#include "ScriptedPrompt.h"

void ScriptedPrompt::answerNext(bool yes) { m_answers.append(yes); }

void ScriptedPrompt::pickNext(std::optional<QString> path) { m_picks.append(std::move(path)); }

bool ScriptedPrompt::askYesNo(const QString& question, QuestionKind kind)
{
    m_questions.append({question, kind});
    return m_answers.isEmpty() ? false : m_answers.takeFirst();
}

void ScriptedPrompt::answerNextAll(Answer answer) { m_allAnswers.append(answer); }

UserPrompt::Answer ScriptedPrompt::askYesNoAll(const QString& question, QuestionKind kind)
{
    if (m_allAnswers.isEmpty())
        return askYesNo(question, kind) ? Answer::Yes : Answer::No;
    m_questions.append({question, kind});
    return m_allAnswers.takeFirst();
}

void ScriptedPrompt::showMessage(MessageKind kind, const QString& text, const QString& title)
{
    m_messages.append({kind, text, title});
}

std::optional<QString> ScriptedPrompt::chooseFolder(const QString& title, const QString& startFolder)
{
    return nextPick({title, startFolder, {}});
}

std::optional<QString> ScriptedPrompt::chooseOpenFile(const QString& title, const QString& startPath,
                                                      const QStringList& nameFilters)
{
    return nextPick({title, startPath, nameFilters});
}

std::optional<QString> ScriptedPrompt::chooseSaveFile(const QString& title, const QString& startPath,
                                                      const QStringList& nameFilters, const QString&)
{
    return nextPick({title, startPath, nameFilters});
}

QList<QString> ScriptedPrompt::questions() const
{
    QList<QString> texts;
    for (const Question& question : m_questions)
        texts.append(question.text);
    return texts;
}

std::optional<QString> ScriptedPrompt::nextPick(Picker picker)
{
    m_pickers.append(std::move(picker));
    return m_picks.isEmpty() ? std::nullopt : m_picks.takeFirst();
}
