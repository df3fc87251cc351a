#include "GameInstall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

char16_t UnitAt(const QByteArray& data, qsizetype index)
{
    return static_cast<char16_t>(static_cast<uchar>(data[2 * index]) | (static_cast<uchar>(data[2 * index + 1]) << 8));
}

bool IsStringType(quint32 type) { return type == RegistryValue::String || type == RegistryValue::ExpandString; }

// The name in `folder` that matches `part` without regard to case, preferring the exact one.
QString MatchingName(const QString& folder, const QString& part)
{
    const QDir dir(folder);
    if (dir.exists(part))
        return part;
    const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        if (name.compare(part, Qt::CaseInsensitive) == 0)
            return name;
    return part;
}

// The Linux folder of drive `letter` in the prefix, or nothing when the prefix lacks it.
std::optional<QString> DriveFolder(const QString& prefixFolder, QChar letter)
{
    const QString link = QDir(prefixFolder).filePath(QStringLiteral("dosdevices/") + letter.toLower() + u':');
    const QString target = QFileInfo(link).canonicalFilePath();
    if (!target.isEmpty())
        return target;
    if (letter.toLower() == u'c')
        return QDir(prefixFolder).filePath(QStringLiteral("drive_c"));
    return std::nullopt;
}

bool HasDriveLetter(const QString& path)
{
    return path.size() >= 2 && path[0].isLetter() && path[0].unicode() < 0x80 && path[1] == u':'
        && (path.size() == 2 || path[2] == u'\\' || path[2] == u'/');
}

// The install folder the registry file holds for the game, from the plain key or else the
// 32-bit view.
std::optional<QString> InstallFolderInSystemReg(QByteArrayView text)
{
    for (const QString& key : {GameInstallKey::path, GameInstallKey::path32})
        if (const std::optional<RegistryValue> value = FindSystemRegValue(text, key, GameInstallKey::valueName))
            if (std::optional<QString> folder = InstallFolderFromValue(*value))
                return folder;
    return std::nullopt;
}

std::optional<GameSettings> MapSettingsIntoPrefix(const GameSettings& dos, const QString& prefixFolder)
{
    GameSettings mapped;
    const std::pair<const QString*, QString*> pairs[] = {
        {&dos.GameInstallPath, &mapped.GameInstallPath},
        {&dos.GameExe10a, &mapped.GameExe10a},
        {&dos.GameExe10c, &mapped.GameExe10c},
        {&dos.SaveGameFolder, &mapped.SaveGameFolder},
    };
    for (const auto& [from, to] : pairs) {
        const std::optional<QString> path = MapDosPath(prefixFolder, *from);
        if (!path)
            return std::nullopt;
        *to = *path;
    }
    return mapped;
}

#ifdef Q_OS_WIN
// Reads the value as the game does: into a zero-filled buffer of its size; a longer value fails.
std::optional<RegistryValue> InstallValueInRegistry(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<LPCWSTR>(GameInstallKey::path.utf16()), 0,
                      KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return std::nullopt;
    BYTE buffer[GameInstallKey::maxValueBytes] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    const LONG result = RegQueryValueExW(key, reinterpret_cast<LPCWSTR>(GameInstallKey::valueName.utf16()), nullptr,
                                         &type, buffer, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return RegistryValue{type, QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size))};
}
#endif

} // namespace

std::optional<QString> InstallFolderFromValue(const RegistryValue& value)
{
    const QByteArray& data = value.data;
    if (data.size() > GameInstallKey::maxValueBytes || data.size() % 2 != 0 || data.isEmpty())
        return std::nullopt;
    const qsizetype units = data.size() / 2;
    const bool stringEnds = IsStringType(value.type) && UnitAt(data, units - 1) == 0;
    const bool multiEnds = value.type == RegistryValue::MultiString && units >= 2 && UnitAt(data, units - 1) == 0
        && UnitAt(data, units - 2) == 0;
    if (!stringEnds && !multiEnds)
        return std::nullopt;
    QString folder;
    for (qsizetype index = 0; index < units && UnitAt(data, index) != 0; ++index)
        folder.append(QChar(UnitAt(data, index)));
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

GameSettings SettingsForInstallFolder(const QString& installFolder)
{
    return {installFolder + QStringLiteral("\\SaveGame"), installFolder + QStringLiteral("\\age2_x1.exe"),
            installFolder + QStringLiteral("\\age2_x1\\age2_x1.exe"), installFolder};
}

QString WinePrefixFolder(const QString& winePrefixVariable, const QString& homeFolder)
{
    if (!winePrefixVariable.isEmpty())
        return winePrefixVariable;
    return QDir(homeFolder).filePath(QStringLiteral(".wine"));
}

std::optional<QString> MapDosPath(const QString& prefixFolder, const QString& dosPath)
{
    if (!HasDriveLetter(dosPath))
        return std::nullopt;
    const std::optional<QString> drive = DriveFolder(prefixFolder, dosPath[0]);
    if (!drive)
        return std::nullopt;
    // ".." stops at the drive's root, as it does on the drive itself.
    QStringList parts;
    for (const QString& part : dosPath.mid(2).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != u".") {
            parts.append(part);
        }
    }
    QString path = *drive;
    for (const QString& part : parts)
        path = QDir(path).filePath(MatchingName(path, part));
    return QDir::toNativeSeparators(path);
}

GameSettings DetectGameInstallInPrefix(const QString& prefixFolder)
{
    QFile file(QDir(prefixFolder).filePath(QStringLiteral("system.reg")));
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {};
    // Mapped rather than read: a large prefix's registry costs no memory of its own.
    const uchar* bytes = file.map(0, file.size());
    if (!bytes)
        return {};
    const std::optional<QString> folder =
        InstallFolderInSystemReg(QByteArrayView(reinterpret_cast<const char*>(bytes), file.size()));
    file.unmap(const_cast<uchar*>(bytes));
    if (!folder)
        return {};
    return MapSettingsIntoPrefix(SettingsForInstallFolder(*folder), prefixFolder).value_or(GameSettings{});
}

GameSettings DetectGameInstall()
{
#ifdef Q_OS_WIN
    for (const REGSAM view : {REGSAM{0}, REGSAM{KEY_WOW64_32KEY}})
        if (const std::optional<RegistryValue> value = InstallValueInRegistry(view))
            if (const std::optional<QString> folder = InstallFolderFromValue(*value))
                return SettingsForInstallFolder(*folder);
    return {};
#else
    return DetectGameInstallInPrefix(
        WinePrefixFolder(qEnvironmentVariable("WINEPREFIX"), QDir::homePath()));
#endif
}
