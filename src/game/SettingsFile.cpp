#include "SettingsFile.h"

#include "GameInstall.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <array>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kFileName = QStringLiteral("config.ini");
const QString kLineEnd = QStringLiteral("\r\n");

// Three paths fit many times over; a larger file is read only this far, so a damaged or hostile
// file cannot make the program allocate without bound.
constexpr qint64 kMaxBytesRead = 1 << 20;

// Code units exactly as stored: a lone surrogate or a byte-order mark survives a load and save.
// An odd last byte makes a unit of its own with a zero high byte.
QString DecodeUtf16Le(QByteArrayView bytes)
{
    QString text;
    text.reserve((bytes.size() + 1) / 2);
    for (qsizetype at = 0; at < bytes.size(); at += 2) {
        const auto low = static_cast<uchar>(bytes[at]);
        const auto high = at + 1 < bytes.size() ? static_cast<uchar>(bytes[at + 1]) : uchar{0};
        const char16_t unit = static_cast<char16_t>(low | (high << 8));
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

void AppendUtf16Le(QByteArray& bytes, const QString& text)
{
    for (const QChar unit : text) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
}

} // namespace

GameSettings ParseConfigIni(QByteArrayView bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.sliced(3));
        text.truncate(text.indexOf(QChar(0)) < 0 ? text.size() : text.indexOf(QChar(0)));
    } else {
        text = DecodeUtf16Le(bytes.startsWith("\xFF\xFE") ? bytes.sliced(2) : bytes);
    }
    std::array<QString, 3> lines;
    qsizetype start = 0;
    for (QString& line : lines) {
        const qsizetype end = text.indexOf(kLineEnd, start);
        if (end < 0)
            break;
        line = text.mid(start, end - start);
        start = end + kLineEnd.size();
    }
    return {lines[0], lines[1], lines[2], {}};
}

QByteArray ComposeConfigIni(const GameSettings& settings)
{
    QByteArray bytes;
    for (const QString* line : {&settings.SaveGameFolder, &settings.GameExe10a, &settings.GameExe10c})
        AppendUtf16Le(bytes, *line + kLineEnd);
    return bytes;
}

QString ConfigIniLocation(const QString& startFolder, bool presentInStartFolder, const QString& appConfigFolder)
{
    return QDir(presentInStartFolder ? startFolder : appConfigFolder).filePath(kFileName);
}

namespace {

// The per-user folder; without an application name Qt would give the shared configuration folder
// itself, where a bare config.ini could belong to anything.
QString AppConfigFolder()
{
    if (QCoreApplication::applicationName().isEmpty())
        return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(QStringLiteral("Korvale"));
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

} // namespace

QString ConfigIniPathForThisRun()
{
    static const QString path = [] {
        const QString startFolder = QDir::currentPath();
        return ConfigIniLocation(startFolder, QFileInfo::exists(QDir(startFolder).filePath(kFileName)),
                                 AppConfigFolder());
    }();
    return path;
}

std::optional<GameSettings> LoadConfigIni(const QString& path)
{
    // Opened without waiting and checked before reading: a FIFO would otherwise hold the start.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd < 0)
        return std::nullopt;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(std::min(file.size(), kMaxBytesRead)), Qt::Uninitialized);
    const qint64 read = file.read(bytes.data(), bytes.size());
    if (read < 0)
        return std::nullopt;
    bytes.truncate(static_cast<qsizetype>(read));
    return ParseConfigIni(bytes);
}

bool SaveConfigIni(const QString& path, const GameSettings& settings, QString* error)
{
    const auto failed = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return failed(QStringLiteral("无法创建文件夹 ") + QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    const QByteArray bytes = ComposeConfigIni(settings);
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return failed(why);
    }
    return file.commit() || failed(file.errorString());
}

GameSettings LoadStartupSettings(const QString& configPath, GameSettings (*detectInstall)())
{
    if (std::optional<GameSettings> settings = LoadConfigIni(configPath))
        return *std::move(settings);
    return detectInstall();
}

GameSettings LoadStartupSettings(const QString& configPath) { return LoadStartupSettings(configPath, DetectGameInstall); }

QString SaveGameFolderFromPick(const QString& chosenFolder)
{
    if (chosenFolder.endsWith(u'\\'))
        return chosenFolder.chopped(1);
    return chosenFolder;
}
