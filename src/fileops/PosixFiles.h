#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

#include <optional>

// The few POSIX calls every file and archive routine shares. rename() on POSIX replaces an
// existing target without a word and a plain copy can be cut short, so writes go to a temporary
// file first and land under their final name only when complete.
namespace PosixFiles {

// An owned file descriptor, closed when it goes out of scope.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int Get() const { return m_fd; }
    bool IsValid() const { return m_fd >= 0; }
    int Release();
    // Closes now and reports whether the close itself succeeded (it can report a failed write).
    bool Close();

private:
    int m_fd = -1;
};

QByteArray Encode(const QString& path);
QString FolderOf(const QString& path);
QString NameOf(const QString& path);

// Opens a folder for the *at() calls below.
UniqueFd OpenFolder(const QString& path);

// Renames without ever replacing: 0, or the errno (EEXIST when the new name is taken). Uses
// renameat2(RENAME_NOREPLACE); where the file system lacks it, link() + unlink() for files.
int RenameNoReplace(int oldFolder, const QByteArray& oldName, int newFolder, const QByteArray& newName);
// The fallback on its own, for file systems without RENAME_NOREPLACE.
int LinkThenUnlink(int oldFolder, const QByteArray& oldName, int newFolder, const QByteArray& newName);

// Creates a new, empty temporary file in folder (never an existing name, the mode a new file gets)
// and returns it open for writing; its name goes into name.
UniqueFd CreateTemporary(int folder, QByteArray& name);

// Writes size bytes as the file name in folder through a synced temporary file: 0, or the errno
// (EEXIST when the name is taken and overwrite is not set). modified, when set, becomes the file's
// last-write time. Nothing partial is left on failure.
int PlaceBytes(int folder, const QByteArray& name, const char* data, size_t size, bool overwrite,
               std::optional<qint64> modified);

// Writes all bytes, retrying short writes and interruptions.
bool WriteAll(int fd, const char* data, size_t size);

// The bytes an unprivileged writer may still use on folder's file system, or nothing.
std::optional<quint64> FreeBytes(int folder);

// Whether name exists in folder (without following a final symbolic link).
bool ExistsAt(int folder, const QByteArray& name);

} // namespace PosixFiles
