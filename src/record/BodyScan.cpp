#include "BodyScan.h"

#include "ChapterInfo.h"
#include "RecordFile.h"
#include "RecordLayout.h"

#include <cstdio>
#include <cstring>
#include <optional>

namespace Mgx {

namespace {

using namespace BodyLayout;
constexpr std::size_t EventLineCapacity = 1023; // the game's line buffer holds 1024 bytes with its NUL

// The event texts, in GBK as the rest of the record's text.
constexpr const char* ResignFormat = "@#%u %s \xCD\xB6\xBD\xB5";                                  // 投降
constexpr const char* FeudalFormat = "@#0 %s \xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB7\xE2\xBD\xA8\xCA\xB1\xB4\xFA";   // 开始升级封建时代
constexpr const char* CastleFormat = "@#0 %s \xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB3\xC7\xB1\xA4\xCA\xB1\xB4\xFA";   // 开始升级城堡时代
constexpr const char* ImperialFormat = "@#0 %s \xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB5\xDB\xCD\xF5\xCA\xB1\xB4\xFA"; // 开始升级帝王时代

// A time step longer than any game could take (or a negative one) comes from damaged bytes.
bool IsPlausibleTimeStep(std::int32_t delta) { return static_cast<std::uint32_t>(delta) <= LongestTimeStep; }

// Scans the operation stream; every read that comes up short ends the scan with what it has.
class BodyScanner {
public:
    BodyScanner(RecordFile& file, ChapterInfo& chapter, std::int32_t nextChapterPos)
        : m_file(file), m_chapter(chapter), m_nextChapterPos(static_cast<std::uint32_t>(nextChapterPos))
    {
    }

    void Run()
    {
        m_chapter.gameTime = 0;
        m_chapter.bodyDamaged = false;
        m_chapter.truncated = false;
        if (!m_file.ReadInt32(m_chapter.logVersion)) {
            m_chapter.truncated = true;
            return;
        }
        m_file.SeekRelative(PrefixSize);
        while (!m_file.AtEnd()) {
            m_operationStart = m_file.Position();
            if (!ScanOperation()) {
                // Bytes that ran out mid-operation: the game stopped writing (a crash, a copy cut
                // short). Damaged bytes are said apart.
                m_chapter.truncated = !m_chapter.bodyDamaged && !m_malformed;
                return;
            }
            // A damaged length that would revisit bytes already passed.
            if (m_file.Position() <= m_operationStart)
                return;
            if (!CrossChapterBoundary()) {
                m_chapter.truncated = !m_malformed;
                return;
            }
        }
        // The last operation's length reached past the end of the file.
        m_chapter.truncated = m_file.Position() > m_file.Length();
    }

private:
    bool ScanOperation()
    {
        if (SkipTimeStepRun())
            return true;
        std::int32_t type = 0;
        if (!m_file.ReadInt32(type))
            return false;
        switch (type) {
        case OperationType::Sync: return SkipSync();
        case OperationType::Command: return ScanCommand();
        case OperationType::TimeStep: return ScanTimeStep();
        case OperationType::ViewLock: m_file.SeekRelative(ViewLockSize); return true;
        case OperationType::Chat: return ScanChat();
        default: return true; // unknown types are just their four bytes
        }
    }

    // Nearly all of a body is time steps one after another: a run of them is walked straight over the
    // buffer, up to the next chapter boundary or the end. Returns whether it walked any.
    bool SkipTimeStepRun()
    {
        const RecordFile::Buffered buffer = m_file.BufferedBytes();
        const std::uint64_t start = static_cast<std::uint64_t>(m_file.Position());
        // Local copies: the compiler cannot keep members in registers across reads of the byte buffer.
        const std::uint64_t boundary = m_nextChapterPos - start;
        const std::uint64_t end = static_cast<std::uint64_t>(m_file.Length()) - start;
        std::uint32_t time = static_cast<std::uint32_t>(m_chapter.gameTime);
        std::uint64_t at = 0;
        std::int32_t step[3]; // type, delta, value count
        while (at + sizeof step <= buffer.size) {
            std::memcpy(step, buffer.bytes + at, sizeof step);
            // A negative count is left to the general path, which decides whether it ends the scan.
            // So is a step no game could take, which ends the scan there.
            if (step[0] != OperationType::TimeStep || step[2] < 0 || !IsPlausibleTimeStep(step[1]))
                break;
            time += static_cast<std::uint32_t>(step[1]);
            at += sizeof step + (step[2] == 0 ? EmptyTimeStepTail : 4 * static_cast<std::uint64_t>(step[2]));
            if (at == boundary || at >= end)
                break;
        }
        m_chapter.gameTime = static_cast<std::int32_t>(time);
        m_file.SeekRelative(static_cast<std::int64_t>(at));
        return at > 0;
    }

    bool SkipSync()
    {
        m_file.SeekRelative(4);
        std::int32_t valueCount = 0;
        if (!m_file.ReadInt32(valueCount))
            return false;
        m_file.SeekRelative(4 * std::int64_t{valueCount});
        return true;
    }

    bool ScanTimeStep()
    {
        std::int32_t delta = 0;
        if (!m_file.ReadInt32(delta))
            return false;
        if (!IsPlausibleTimeStep(delta)) {
            // Damaged bytes: the steps after it would add days to the game.
            m_chapter.bodyDamaged = true;
            return false;
        }
        AddTime(delta);
        std::int32_t valueCount = 0;
        if (!m_file.ReadInt32(valueCount))
            return false;
        m_file.SeekRelative(valueCount == 0 ? EmptyTimeStepTail : 4 * std::int64_t{valueCount});
        return true;
    }

    void AddTime(std::int32_t delta)
    {
        m_chapter.gameTime = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_chapter.gameTime) + static_cast<std::uint32_t>(delta));
    }

    bool ScanChat()
    {
        std::int32_t sender = 0;
        if (!m_file.ReadInt32(sender))
            return false;
        if (sender != ChatFromPlayer) {
            m_file.SeekRelative(OtherChatSize);
            return true;
        }
        std::int32_t length = 0;
        if (!m_file.ReadInt32(length))
            return false;
        // A length the rest of the file cannot hold would be a short read: stop before allocating for it.
        if (length < 0 || length > m_file.Length() - m_file.Position())
            return false;
        std::string text(static_cast<std::size_t>(length), '\0');
        if (m_file.Read(text.data(), text.size()) != text.size())
            return false;
        m_chapter.ingameChat.push_back({m_chapter.gameTime, std::move(text)});
        return true;
    }

    bool ScanCommand()
    {
        std::int32_t length = 0;
        if (!m_file.ReadInt32(length))
            return false;
        const std::int64_t end = m_file.Position() + std::int64_t{length} + 4;
        if (end <= m_operationStart) {
            m_malformed = true;
            return false;
        }
        std::uint8_t command = 0;
        if (!m_file.ReadUInt8(command))
            return false;
        std::optional<ChatInGame> line;
        if (command == CommandByte::Resign && !ReadResign(line))
            return false;
        if (command == CommandByte::Research && !ReadResearch(line))
            return false;
        // A command shorter than the bytes its line came from is damaged; its line would let a few
        // bytes of file make a kilobyte of text, over and over.
        if (line && end >= m_file.Position())
            m_chapter.ingameChat.push_back(std::move(*line));
        m_file.SeekTo(end);
        return true;
    }

    bool ReadResign(std::optional<ChatInGame>& line)
    {
        std::uint8_t bytes[3];
        if (m_file.Read(bytes, sizeof bytes) != sizeof bytes)
            return false;
        line = ComposeLine(ResignFormat, bytes[0], bytes[1]);
        return true;
    }

    bool ReadResearch(std::optional<ChatInGame>& line)
    {
        m_file.SeekRelative(7);
        std::uint16_t slot = 0;
        std::uint16_t technology = 0;
        if (!m_file.ReadUInt16(slot) || !m_file.ReadUInt16(technology))
            return false;
        switch (technology) {
        case AgeTechnology::Feudal: line = ComposeLine(FeudalFormat, std::nullopt, slot); break;
        case AgeTechnology::Castle: line = ComposeLine(CastleFormat, std::nullopt, slot); break;
        case AgeTechnology::Imperial: line = ComposeLine(ImperialFormat, std::nullopt, slot); break;
        default: break;
        }
        return true;
    }

    // No line names a slot the lobby does not have.
    std::optional<ChatInGame> ComposeLine(const char* format, std::optional<unsigned> number, unsigned slot) const
    {
        if (slot >= m_chapter.slots.size())
            return std::nullopt;
        const std::string name = m_chapter.slots[slot].name.value_or(std::string());
        char buffer[EventLineCapacity + 1];
        // The name is the slot's GBK bytes up to its first NUL, as the game prints it.
        const int written = number ? std::snprintf(buffer, sizeof buffer, format, *number, name.c_str())
                                   : std::snprintf(buffer, sizeof buffer, format, name.c_str());
        if (written < 0)
            return std::nullopt;
        const std::size_t kept = std::min<std::size_t>(static_cast<std::size_t>(written), EventLineCapacity);
        // The wording after the name is ours, in GBK; the name is in the record's own code page.
        const std::size_t wording = std::strlen(std::strstr(format, "%s") + 2);
        const std::size_t beforeWording = static_cast<std::size_t>(written) - wording;
        const auto composedTail = static_cast<std::uint16_t>(kept > beforeWording ? kept - beforeWording : 0);
        return ChatInGame{m_chapter.gameTime, std::string(buffer, kept), composedTail};
    }

    bool CrossChapterBoundary()
    {
        if (static_cast<std::uint64_t>(m_file.Position()) != m_nextChapterPos)
            return true;
        std::int32_t resumePos = 0;
        std::int32_t nextChapterPos = 0;
        if (!m_file.ReadInt32(resumePos) || !m_file.ReadInt32(nextChapterPos))
            return false;
        m_nextChapterPos = static_cast<std::uint32_t>(nextChapterPos);
        // The next chapter's own header lies between here and resumePos; going back would loop.
        if (resumePos <= m_file.Position()) {
            m_malformed = true;
            return false;
        }
        m_file.SeekTo(resumePos);
        return true;
    }

    RecordFile& m_file;
    ChapterInfo& m_chapter;
    std::uint64_t m_nextChapterPos;
    std::int64_t m_operationStart = 0;
    bool m_malformed = false; // a length or position that cannot be, rather than bytes that ran out
};

} // namespace

void ScanBody(RecordFile& file, ChapterInfo& chapter, std::int32_t nextChapterPos)
{
    BodyScanner(file, chapter, nextChapterPos).Run();
}

} // namespace Mgx
