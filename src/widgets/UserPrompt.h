#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The one way the program asks the user something or tells them something. Panels and
// commands take a reference to it, so a test can answer the questions, pick the folders and
// files, and read the messages instead of a person.
class UserPrompt {
public:
    // Plain: an OK box without icon (outcome reports such as the repair's).
    enum class MessageKind { Plain, Information, Warning, Error };

    // Plain: no icon, Yes is the default button. Cautious: the question icon, No is the
    // default button, for questions whose Yes destroys something (overwriting a file).
    enum class QuestionKind { Plain, Cautious };

    // Every box carries this caption.
    static QString Caption();

    virtual ~UserPrompt() = default;

    // A question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const QString& question, QuestionKind kind = QuestionKind::Plain) = 0;

    // The same question about one of many files, with 全部是 and 全部否 beside Yes and No, so a
    // long run does not ask once per file.
    enum class Answer { Yes, No, YesToAll, NoToAll };
    virtual Answer AskYesNoAll(const QString& question, QuestionKind kind = QuestionKind::Plain)
    {
        return AskYesNo(question, kind) ? Answer::Yes : Answer::No;
    }

    // A message with an OK button, under the application's caption or a title of its own.
    void ShowMessage(MessageKind kind, const QString& text) { ShowMessage(kind, text, Caption()); }
    virtual void ShowMessage(MessageKind kind, const QString& text, const QString& title) = 0;

    // A folder picker with the given title whose accept button reads "确定", starting in
    // startFolder (empty: the picker's own choice). The folder shown when the user accepts, or
    // nothing on cancel.
    virtual std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder) = 0;

    // A picker for an existing file. nameFilters are Qt filter strings ("Zip Files (*.zip)");
    // startPath may name a folder or a file whose name is proposed.
    virtual std::optional<QString> ChooseOpenFile(const QString& title, const QString& startPath,
                                                  const QStringList& nameFilters) = 0;

    // A picker for a file to write, which confirms before an existing file is overwritten and
    // appends defaultSuffix (without its dot) when the typed name has no suffix.
    virtual std::optional<QString> ChooseSaveFile(const QString& title, const QString& startPath,
                                                  const QStringList& nameFilters, const QString& defaultSuffix) = 0;
};
