#pragma once

#include "ChapterInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

#include <cstdint>
#include <string>

// Chapters built in a test, with their text stored as a record stores it.
namespace korvale::test {

// Text as a record stores it.
inline std::string Gbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A chapter that has been read, with nothing in it yet.
inline Mgx::ChapterInfo ReadChapter()
{
    Mgx::ChapterInfo chapter;
    chapter.status = Mgx::ChapterInfo::Read;
    return chapter;
}

// Puts player `number` into lobby slot `slot`.
inline void Seat(Mgx::ChapterInfo& chapter, int slot, int number, const QString& name, int civilization, int colour,
                 int team, int kind = 1)
{
    auto& player = chapter.players[static_cast<std::size_t>(number)];
    player.name = Gbk(name);
    player.civilization = static_cast<std::uint8_t>(civilization);
    player.colour = static_cast<std::uint8_t>(colour);
    player.kind = static_cast<std::uint8_t>(kind);
    auto& lobby = chapter.slots[static_cast<std::size_t>(slot)];
    lobby.playerNumber = number;
    lobby.name = Gbk(name);
    lobby.team = static_cast<std::uint8_t>(team);
}

} // namespace korvale::test
