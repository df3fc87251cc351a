#pragma once

#include "LibrarySummary.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

struct sqlite3;
class SqlStatement;

// The summaries of every record the library has read, kept in one SQLite database so a record
// whose size and time are unchanged is never read again. A database left by an older schema is
// rebuilt; one that cannot be opened for writing or is corrupt gives way to a database in memory,
// which works the same for this run and is reported once through FallbackMessage.
// One thread at a time.
class LibraryIndex {
public:
    // 3: custom maps are searched by the word the list shows for them.
    // 4: HD records whose lobby wrote no team carry the teams of their players' stances, and the
    //    age-up and resign lines of HD 4.x records read their UTF-8 slot names whole.
    static constexpr int SchemaVersion = 4;

    // Opens (creating when needed) the database at `databasePath`.
    explicit LibraryIndex(const QString& databasePath);
    ~LibraryIndex();
    LibraryIndex(const LibraryIndex&) = delete;
    LibraryIndex& operator=(const LibraryIndex&) = delete;

    // "library.sqlite" under the application's cache folder.
    static QString DefaultPath();

    bool IsInMemory() const { return m_inMemory; }
    // Empty when the database file is in use, else the one line the window shows.
    const QString& FallbackMessage() const { return m_fallbackMessage; }

    // True when the stored summary of `path` has this size and time.
    bool IsCurrent(const QString& path, qint64 size, qint64 mtime) const;
    std::optional<LibrarySummary> Find(const QString& path) const;
    // Stores (replacing) the summaries in one transaction.
    bool Store(const QList<LibrarySummary>& summaries);
    bool Remove(const QStringList& paths);
    // The size and time each record was indexed with.
    struct FileStamp {
        qint64 size = 0;
        qint64 mtime = 0;
    };
    // The records stored below `folder` (directly in it, or at any depth) with their stamps: one
    // query for a whole folder rather than one per file.
    QHash<QString, FileStamp> StampsUnder(const QString& folder, bool subfolders) const;
    // The paths stored below `folder`, sorted.
    QStringList PathsUnder(const QString& folder, bool subfolders) const;
    // The summaries stored below `folder`, without their chat (their search text carries it).
    QList<LibrarySummary> SummariesUnder(const QString& folder, bool subfolders) const;

private:
    bool OpenFile(const QString& databasePath);
    void OpenMemory();
    bool Prepare();
    bool Exec(const char* sql) const;
    int StoredSchemaVersion() const;
    std::unique_ptr<SqlStatement> ScopeQuery(const char* columns, const QString& folder, bool subfolders) const;

    sqlite3* m_db = nullptr;
    bool m_inMemory = false;
    QString m_fallbackMessage;
};
