#include "ScriptedPrompt.h"

void ScriptedPrompt::answerNext(bool yes) { m_answers.append(yes); }

bool ScriptedPrompt::askYesNo(const QString& question)
{
    m_questions.append(question);
    return m_answers.isEmpty() ? false : m_answers.takeFirst();
}

void ScriptedPrompt::showMessage(MessageKind kind, const QString& text) { m_messages.append({kind, text}); }
