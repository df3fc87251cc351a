#include "RecordText.h"

#include "PanelSummary.h"

namespace {

bool IsUnfinished(const Mgx::GameRecord& record)
{
    return !record.chapters.empty() && record.chapters.front().status == Mgx::ChapterInfo::HeaderEndMissing;
}

// The panel would show its reset captions and offer the repair; a reader of the text wants to know why.
std::string UnfinishedText(const std::string& file)
{
    return "状态 2：文件头第一项为 0，录像可能未录完或已损坏，内容未读取。\n"
           "修复（原文件将备份为 .bak）：korvale-info --repair "
        + ShellWord(file) + "\n";
}

} // namespace

std::string ShellWord(const std::string& text)
{
    std::string word = "'";
    for (const char c : text)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

std::string RecordText(const std::string& file, const Mgx::GameRecord& record)
{
    std::string text = "== " + file + "\n";
    if (IsUnfinished(record))
        return text + UnfinishedText(file);
    for (const QString& line : PanelSummaryLines(record))
        text += line.toStdString() + "\n";
    return text;
}
