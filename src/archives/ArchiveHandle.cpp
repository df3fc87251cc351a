#include "ArchiveHandle.h"

#include "StepHook.h"
#include "ZipEntryName.h"

#include <QFile>

#include <archive.h>
#include <archive_entry.h>
#include <zlib.h>


namespace {

constexpr size_t OpenBlockSize = 64 * 1024;
constexpr size_t ReadChunkSize = 256 * 1024;


} // namespace

ArchiveHandle::ArchiveHandle(const QString& archivePath) : m_directory(ArchiveDirectory::Read(archivePath))
{
    StepHook::Reach("archive: opened");
    m_archive = archive_read_new();
    if (!m_archive)
        return;
    // Only the two kinds the list shows; anything else in a file named so is a damaged archive.
    archive_read_support_format_zip(m_archive);
    archive_read_support_format_rar(m_archive);
    archive_read_support_format_rar5(m_archive);
    if (archive_read_open_filename(m_archive, QFile::encodeName(archivePath).constData(), OpenBlockSize) != ARCHIVE_OK) {
        archive_read_free(m_archive);
        m_archive = nullptr;
    }
}

ArchiveHandle::~ArchiveHandle()
{
    if (m_archive)
        archive_read_free(m_archive);
}

ArchiveHandle::Step ArchiveHandle::Next()
{
    if (!m_archive)
        return Step::Failed;
    const int status = archive_read_next_header(m_archive, &m_entry);
    if (status == ARCHIVE_EOF)
        return Step::End;
    // A warning says a name could not be converted to the locale: the raw name is still there.
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
        m_entry = nullptr;
        m_declared = nullptr;
        return Step::Failed;
    }
    const char* raw = archive_entry_pathname(m_entry);
    m_declared = m_directory.Match(QByteArray(raw ? raw : ""), ++m_index);
    return Step::Entry;
}

QString ArchiveHandle::DecodedName() const
{
    // A Zip name decodes from its stored bytes, flag and fields, as the unpack decodes it.
    if (m_declared && m_directory.GetKind() == ArchiveDirectory::Kind::Zip)
        return m_declared->name;
    if (const char* utf8 = archive_entry_pathname_utf8(m_entry))
        return QString::fromUtf8(utf8);
    const char* raw = archive_entry_pathname(m_entry);
    return raw ? ZipEntryName::Decode(QByteArray(raw), 0, {}) : QString();
}

QString ArchiveHandle::ShownName() const { return m_entry ? DecodedName() : QString(); }

std::optional<QString> ArchiveHandle::CleanName() const
{
    if (!m_entry || (m_declared && m_declared->controlBytes))
        return std::nullopt;
    const QString name = DecodedName();
    std::optional<QStringList> parts = ZipEntryName::SafeParts(name);
    if (!parts)
        return std::nullopt;
    parts->removeAll(QString()); // the empty last part of a folder's name
    if (parts->isEmpty())
        return std::nullopt;
    return parts->join(QLatin1Char('/'));
}

bool ArchiveHandle::IsFolder() const
{
    return m_entry && archive_entry_filetype(m_entry) == AE_IFDIR;
}

bool ArchiveHandle::IsFile() const
{
    return m_entry && archive_entry_filetype(m_entry) == AE_IFREG;
}

std::optional<quint64> ArchiveHandle::DeclaredSize() const
{
    if (!m_entry || !archive_entry_size_is_set(m_entry) || archive_entry_size(m_entry) < 0)
        return std::nullopt;
    return static_cast<quint64>(archive_entry_size(m_entry));
}

QDateTime ArchiveHandle::Time() const
{
    if (!m_entry || !archive_entry_mtime_is_set(m_entry))
        return {};
    return QDateTime::fromSecsSinceEpoch(archive_entry_mtime(m_entry));
}

ArchiveResult ArchiveHandle::ReadData(std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    if (!m_entry || !IsFile())
        return ArchiveResult::NoSuchEntry;
    const std::optional<quint64> declared = DeclaredSize();
    if (declared && *declared > quint64(MaxArchiveEntrySize))
        return ArchiveResult::TooLarge;
    bytes.reserve(static_cast<size_t>(declared.value_or(0)));
    std::vector<std::uint8_t> chunk(ReadChunkSize);
    uLong crc = crc32(0, nullptr, 0);
    for (;;) {
        const la_ssize_t got = archive_read_data(m_archive, chunk.data(), chunk.size());
        if (got < 0) {
            std::vector<std::uint8_t>().swap(bytes); // never half an entry
            return ArchiveResult::Damaged;
        }
        if (got == 0)
            break;
        crc = crc32(crc, chunk.data(), uInt(got));
        if (bytes.size() + static_cast<size_t>(got) > static_cast<size_t>(MaxArchiveEntrySize)) {
            std::vector<std::uint8_t>().swap(bytes);
            return ArchiveResult::TooLarge;
        }
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
    }
    // A stored entry's data is handed over as it is: the count and the checksum are checked here.
    const bool sizeHolds = !declared || *declared == bytes.size();
    const bool crcHolds = !m_declared || !m_declared->checkable
        || (m_declared->size == bytes.size() && m_declared->crc == quint32(crc));
    if (sizeHolds && crcHolds)
        return ArchiveResult::Ok;
    std::vector<std::uint8_t>().swap(bytes);
    return ArchiveResult::Damaged;
}
