#pragma once

#include "UserPrompt.h"

class QWidget;

// Asks through modal message boxes and file dialogs over a parent window.
class MessageBoxPrompt : public UserPrompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr);

    bool AskYesNo(const QString& question, QuestionKind kind = QuestionKind::Plain) override;
    Answer AskYesNoAll(const QString& question, QuestionKind kind = QuestionKind::Plain) override;
    using UserPrompt::ShowMessage;
    void ShowMessage(MessageKind kind, const QString& text, const QString& title) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> ChooseOpenFile(const QString& title, const QString& startPath,
                                          const QStringList& nameFilters) override;
    std::optional<QString> ChooseSaveFile(const QString& title, const QString& startPath,
                                          const QStringList& nameFilters, const QString& defaultSuffix) override;

private:
    QWidget* m_parent;
};
