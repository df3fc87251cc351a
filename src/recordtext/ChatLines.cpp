#include "ChatLines.h"

#include "DecodeGbk.h"
#include "InfoText.h"

namespace {

// Every stored line starts with "@#" and the sender's number.
constexpr qsizetype SenderPrefixLength = 3;

void AppendChapterLines(const Mgx::ChapterInfo& chapter, QStringList& lines)
{
    for (const Mgx::ChatBeforeGame& chat : chapter.pregameChat)
        lines.append(PregameChatLine(DecodeRecordText(chat.text, chapter.codePage)));
    lines.append(QString());
    lines.append(GameStartSeparator());
    for (const Mgx::ChatInGame& chat : chapter.ingameChat) {
        if (const std::optional<QString> line = IngameChatLine(chat.time, DecodeChatLine(chat, chapter.codePage)))
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
    for (const Mgx::ChapterInfo& chapter : record.chapters)
        AppendChapterLines(chapter, lines);
    return lines;
}
