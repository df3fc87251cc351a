#include "RecordLoad.h"

#include "ArchiveEntryRead.h"
#include "ArchiveMessages.h"

#include "RecordError.h"
#include "UnsupportedFormatText.h"

#include <QFile>
#include <QLoggingCategory>

#include <new>

Q_LOGGING_CATEGORY(lcRecordLoad, "korvale.record", QtInfoMsg)

QString RecordLoadErrorText(const std::exception& error)
{
    if (dynamic_cast<const Mgx::OpenError*>(&error))
        return QStringLiteral("无法打开文件！");
    if (const auto* unsupported = dynamic_cast<const Mgx::UnsupportedFormatError*>(&error))
        return UnsupportedFormatText(*unsupported);
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("内存不足，无法读取录像文件！");
    // The player reads one sentence in their language; the reader's detail (what failed, where) is
    // for whoever reads the log.
    qCWarning(lcRecordLoad).noquote() << "record not read:" << QString::fromUtf8(error.what());
    if (dynamic_cast<const Mgx::InflateError*>(&error))
        return QStringLiteral("录像文件已损坏：文件头无法解压，无法显示。");
    if (dynamic_cast<const Mgx::HeaderError*>(&error))
        return QStringLiteral("录像文件已损坏：文件头内容有误，无法显示。");
    return QStringLiteral("录像文件已损坏，无法显示。");
}

namespace {

void SetFailure(RecordLoad& load, const std::exception& error)
{
    load.record.reset();
    load.errorText = RecordLoadErrorText(error);
    if (const auto* unsupported = dynamic_cast<const Mgx::UnsupportedFormatError*>(&error))
        load.refusedPlayback = PlaybackOfRefusal(*unsupported);
}

} // namespace

RecordLoad LoadRecordForList(Mgx::RecordReader& reader, const QString& path)
{
    RecordLoad load;
    try {
        load.record = std::make_unique<Mgx::GameRecord>(reader.Load(QFile::encodeName(path).toStdString()));
    } catch (const std::exception& error) {
        SetFailure(load, error);
    }
    return load;
}

RecordLoad LoadArchiveRecordForList(Mgx::RecordReader& reader, const QString& archivePath, const QString& entryName,
                                    const QString& listedPath)
{
    RecordLoad load;
    std::vector<std::uint8_t> bytes;
    const ArchiveResult read = ReadArchiveEntry(archivePath, entryName, bytes);
    if (read != ArchiveResult::Ok) {
        load.errorText = ArchiveMessages::ForResult(read);
        return load;
    }
    try {
        load.record = std::make_unique<Mgx::GameRecord>(reader.LoadBytes(bytes, QFile::encodeName(listedPath).toStdString()));
    } catch (const std::exception& error) {
        SetFailure(load, error);
    }
    return load;
}
