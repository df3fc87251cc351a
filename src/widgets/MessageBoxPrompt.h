#pragma once

#include "UserPrompt.h"

class QWidget;

// Asks through modal message boxes and file dialogs over a parent window.
class MessageBoxPrompt : public UserPrompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr);

    bool askYesNo(const QString& question, QuestionKind kind = QuestionKind::Plain) override;
    Answer askYesNoAll(const QString& question, QuestionKind kind = QuestionKind::Plain) override;
    using UserPrompt::showMessage;
    void showMessage(MessageKind kind, const QString& text, const QString& title) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& startPath,
                                          const QStringList& nameFilters) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QString& startPath,
                                          const QStringList& nameFilters, const QString& defaultSuffix) override;

private:
    QWidget* m_parent;
};
