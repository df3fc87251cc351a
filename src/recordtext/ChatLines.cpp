#include "ChatLines.h"

#include "DecodeGbk.h"
#include "InfoText.h"
#include "TextCodePage.h"

#include <set>
#include <string>
#include <utility>

namespace {

// Every stored line starts with "@#" and the sender's number.
constexpr qsizetype SenderPrefixLength = 3;

// The reader's wording of a resignation, in GBK: 投降.
constexpr std::string_view ResignWording = "\xCD\xB6\xBD\xB5";

bool IsResignation(const Mgx::ChatInGame& chat)
{
    return chat.composedTail > 0 && chat.text.ends_with(ResignWording);
}

// The game stores a player's command once for every time their client sent it, so one resignation
// or age-up can appear many times over. A player resigns once: the list keeps the first. An age-up
// repeated for the same player and age within one second is the same click; one a second later is
// a new start after a cancel and stays.
class RepeatedEvents {
public:
    bool IsRepeat(const Mgx::ChatInGame& chat)
    {
        if (chat.composedTail == 0)
            return false;
        if (IsResignation(chat))
            return !m_resignations.insert(chat.text).second;
        return !m_ageUps.insert({chat.text, chat.time / 1000}).second;
    }

private:
    std::set<std::string> m_resignations;
    std::set<std::pair<std::string, std::int32_t>> m_ageUps;
};

void AppendChapterLines(const Mgx::ChapterInfo& chapter, RepeatedEvents& repeats, QStringList& lines)
{
    for (const Mgx::ChatBeforeGame& chat : chapter.pregameChat)
        lines.append(PregameChatLine(DecodeRecordText(chat.text, chapter.codePage)));
    lines.append(QString());
    lines.append(GameStartSeparator());
    for (const Mgx::ChatInGame& chat : chapter.ingameChat) {
        if (repeats.IsRepeat(chat))
            continue;
        if (const std::optional<QString> line = IngameChatLine(chat.time, DecodeChatLine(chat, chapter.codePage, Mgx::NameCodePage(chapter))))
            lines.append(*line);
    }
}

} // namespace

QString GameStartSeparator() { return QStringLiteral("============游戏开始=========="); }

QString PregameChatLine(const QString& text) { return text.mid(SenderPrefixLength); }

std::optional<QString> IngameChatLine(std::int32_t time, const QString& text)
{
    if (text.mid(SenderPrefixLength, 2) == QLatin1String("--"))
        return std::nullopt;
    return QLatin1Char('[') + FormatGameTime(static_cast<std::uint32_t>(time)) + QLatin1Char(']')
        + text.mid(SenderPrefixLength);
}

QStringList ChatListLines(const Mgx::GameRecord& record)
{
    QStringList lines;
    RepeatedEvents repeats; // across chapters: a game restored from a save is still one game
    for (const Mgx::ChapterInfo& chapter : record.chapters)
        AppendChapterLines(chapter, repeats, lines);
    return lines;
}
