#pragma once

#include <QString>

// The one way the program asks the user something or tells them something. Panels take a
// reference to it, so a test can answer the questions and read the messages instead of a person.
class UserPrompt {
public:
    // Plain: an OK box without icon (outcome reports such as the repair's).
    enum class MessageKind { Plain, Information, Error };

    // Every box carries this caption.
    static QString caption();

    virtual ~UserPrompt() = default;

    // A question with Yes and No buttons; true for Yes.
    virtual bool askYesNo(const QString& question) = 0;

    // A message with an OK button.
    virtual void showMessage(MessageKind kind, const QString& text) = 0;
};
