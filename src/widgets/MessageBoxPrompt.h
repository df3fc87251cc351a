#pragma once

#include "UserPrompt.h"

class QWidget;

// Asks through modal message boxes over a parent window.
class MessageBoxPrompt : public UserPrompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr);

    bool askYesNo(const QString& question) override;
    void showMessage(MessageKind kind, const QString& text) override;

private:
    QWidget* m_parent;
};
