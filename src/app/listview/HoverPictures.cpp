#include "HoverPictures.h"

#include "GameRecord.h"
#include "LibraryColumns.h"
#include "NameTables.h"
#include "TerrainPic.h"

#include <QColor>
#include <QDateTime>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <exception>

HoverPictures::HoverPictures(int capacity) : m_capacity(std::max(capacity, 1)) {}

std::shared_ptr<const HoverPicture> HoverPictures::PictureOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return nullptr;
    const qint64 size = info.size();
    const qint64 mtime = info.lastModified().toMSecsSinceEpoch();
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].path != path)
            continue;
        if (m_entries[i].size == size && m_entries[i].mtime == mtime) {
            m_entries.move(i, 0);
            return m_entries.front().picture;
        }
        m_entries.removeAt(i);
        break;
    }
    std::shared_ptr<const HoverPicture> picture = Read(path, size, mtime);
    m_entries.prepend({path, size, mtime, picture});
    while (m_entries.size() > m_capacity)
        m_entries.removeLast();
    return picture;
}

// A failed read is kept as well: hovering a damaged record again does not read it again.
std::shared_ptr<const HoverPicture> HoverPictures::Read(const QString& path, qint64 size, qint64 mtime)
{
    try {
        Mgx::GameRecord record = m_reader.Load(path.toStdString());
        std::shared_ptr<HoverPicture> picture;
        if (!record.chapters.empty() && record.chapters.back().status == Mgx::ChapterInfo::Read) {
            picture = std::make_shared<HoverPicture>();
            picture->map = RenderMapImage(record.chapters.back(), true);
            picture->sides = PlayerSides(SummarizeRecord(record, path, size, mtime).players);
        }
        m_reader.Recycle(std::move(record));
        return picture;
    } catch (const std::exception&) {
        return nullptr;
    }
}

QString HoverPlayersHtml(const QList<QList<LibraryPlayer>>& sides)
{
    QStringList lines;
    for (const QList<LibraryPlayer>& side : sides) {
        QStringList names;
        for (const LibraryPlayer& player : side) {
            const bool known = player.colour >= 0 && player.colour < static_cast<int>(PlayerColours.size());
            const QString square = known ? QStringLiteral("<span style=\"color:%1; background-color:#505050\">&#9632;</span>&nbsp;")
                                               .arg(QColor(PlayerColours[static_cast<std::size_t>(player.colour)]).name())
                                         : QString();
            names.append(square + player.name.toHtmlEscaped());
        }
        lines.append(names.join(QStringLiteral(", ")));
    }
    return lines.join(QStringLiteral("<br>vs<br>"));
}
