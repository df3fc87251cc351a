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

    void run()
    {
        m_chapter.gameTime = 0;
        m_chapter.bodyDamaged = false;
        m_chapter.truncated = false;
        if (!m_file.readInt32(m_chapter.logVersion)) {
            m_chapter.truncated = true;
            return;
        }
        m_file.seekRelative(PrefixSize);
        while (!m_file.atEnd()) {
            m_operationStart = m_file.position();
            if (!scanOperation()) {
                // Bytes that ran out mid-operation: the game stopped writing (a crash, a copy cut
                // short). Damaged bytes are said apart.
                m_chapter.truncated = !m_chapter.bodyDamaged && !m_malformed;
                return;
            }
            // A damaged length that would revisit bytes already passed.
            if (m_file.position() <= m_operationStart)
                return;
            if (!crossChapterBoundary()) {
                m_chapter.truncated = !m_malformed;
                return;
            }
        }
        // The last operation's length reached past the end of the file.
        m_chapter.truncated = m_file.position() > m_file.length();
    }

private:
    bool scanOperation()
    {
        if (skipTimeStepRun())
            return true;
        std::int32_t type = 0;
        if (!m_file.readInt32(type))
            return false;
        switch (type) {
        case OperationType::Sync: return skipSync();
        case OperationType::Command: return scanCommand();
        case OperationType::TimeStep: return scanTimeStep();
        case OperationType::ViewLock: m_file.seekRelative(ViewLockSize); return true;
        case OperationType::Chat: return scanChat();
        default: return true; // unknown types are just their four bytes
        }
    }

    // Nearly all of a body is time steps one after another: a run of them is walked straight over the
    // buffer, up to the next chapter boundary or the end. Returns whether it walked any.
    bool skipTimeStepRun()
    {
        const RecordFile::Buffered buffer = m_file.buffered();
        const std::uint64_t start = static_cast<std::uint64_t>(m_file.position());
        // Local copies: the compiler cannot keep members in registers across reads of the byte buffer.
        const std::uint64_t boundary = m_nextChapterPos - start;
        const std::uint64_t end = static_cast<std::uint64_t>(m_file.length()) - start;
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
        m_file.seekRelative(static_cast<std::int64_t>(at));
        return at > 0;
    }

    bool skipSync()
    {
        m_file.seekRelative(4);
        std::int32_t valueCount = 0;
        if (!m_file.readInt32(valueCount))
            return false;
        m_file.seekRelative(4 * std::int64_t{valueCount});
        return true;
    }

    bool scanTimeStep()
    {
        std::int32_t delta = 0;
        if (!m_file.readInt32(delta))
            return false;
        if (!IsPlausibleTimeStep(delta)) {
            // Damaged bytes: the steps after it would add days to the game.
            m_chapter.bodyDamaged = true;
            return false;
        }
        addTime(delta);
        std::int32_t valueCount = 0;
        if (!m_file.readInt32(valueCount))
            return false;
        m_file.seekRelative(valueCount == 0 ? EmptyTimeStepTail : 4 * std::int64_t{valueCount});
        return true;
    }

    void addTime(std::int32_t delta)
    {
        m_chapter.gameTime = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_chapter.gameTime) + static_cast<std::uint32_t>(delta));
    }

    bool scanChat()
    {
        std::int32_t sender = 0;
        if (!m_file.readInt32(sender))
            return false;
        if (sender != ChatFromPlayer) {
            m_file.seekRelative(OtherChatSize);
            return true;
        }
        std::int32_t length = 0;
        if (!m_file.readInt32(length))
            return false;
        // A length the rest of the file cannot hold would be a short read: stop before allocating for it.
        if (length < 0 || length > m_file.length() - m_file.position())
            return false;
        std::string text(static_cast<std::size_t>(length), '\0');
        if (m_file.read(text.data(), text.size()) != text.size())
            return false;
        m_chapter.ingameChat.push_back({m_chapter.gameTime, std::move(text)});
        return true;
    }

    bool scanCommand()
    {
        std::int32_t length = 0;
        if (!m_file.readInt32(length))
            return false;
        const std::int64_t end = m_file.position() + std::int64_t{length} + 4;
        if (end <= m_operationStart) {
            m_malformed = true;
            return false;
        }
        std::uint8_t command = 0;
        if (!m_file.readUInt8(command))
            return false;
        std::optional<ChatInGame> line;
        if (command == CommandByte::Resign && !readResign(line))
            return false;
        if (command == CommandByte::Research && !readResearch(line))
            return false;
        // A command shorter than the bytes its line came from is damaged; its line would let a few
        // bytes of file make a kilobyte of text, over and over.
        if (line && end >= m_file.position())
            m_chapter.ingameChat.push_back(std::move(*line));
        m_file.seekTo(end);
        return true;
    }

    bool readResign(std::optional<ChatInGame>& line)
    {
        std::uint8_t bytes[3];
        if (m_file.read(bytes, sizeof bytes) != sizeof bytes)
            return false;
        line = composeLine(ResignFormat, bytes[0], bytes[1]);
        return true;
    }

    bool readResearch(std::optional<ChatInGame>& line)
    {
        m_file.seekRelative(7);
        std::uint16_t slot = 0;
        std::uint16_t technology = 0;
        if (!m_file.readUInt16(slot) || !m_file.readUInt16(technology))
            return false;
        switch (technology) {
        case AgeTechnology::Feudal: line = composeLine(FeudalFormat, std::nullopt, slot); break;
        case AgeTechnology::Castle: line = composeLine(CastleFormat, std::nullopt, slot); break;
        case AgeTechnology::Imperial: line = composeLine(ImperialFormat, std::nullopt, slot); break;
        default: break;
        }
        return true;
    }

    // No line names a slot the lobby does not have.
    std::optional<ChatInGame> composeLine(const char* format, std::optional<unsigned> number, unsigned slot) const
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

    bool crossChapterBoundary()
    {
        if (static_cast<std::uint64_t>(m_file.position()) != m_nextChapterPos)
            return true;
        std::int32_t resumePos = 0;
        std::int32_t nextChapterPos = 0;
        if (!m_file.readInt32(resumePos) || !m_file.readInt32(nextChapterPos))
            return false;
        m_nextChapterPos = static_cast<std::uint32_t>(nextChapterPos);
        // The next chapter's own header lies between here and resumePos; going back would loop.
        if (resumePos <= m_file.position()) {
            m_malformed = true;
            return false;
        }
        m_file.seekTo(resumePos);
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
    BodyScanner(file, chapter, nextChapterPos).run();
}

} // namespace Mgx
