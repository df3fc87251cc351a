#include "LibraryIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QStandardPaths>

#include <sqlite3.h>

#include <cstring>

namespace {

constexpr const char* kCreateTable = "CREATE TABLE IF NOT EXISTS records ("
                                     " path TEXT PRIMARY KEY, folder TEXT NOT NULL, size INTEGER, mtime INTEGER,"
                                     " status INTEGER, error TEXT, logVersion INTEGER, gameType INTEGER, mapId INTEGER,"
                                     " mapSize INTEGER, duration INTEGER, recorder TEXT, players BLOB, chat TEXT,"
                                     " searchText BLOB, formatFamily INTEGER);"
                                     "CREATE INDEX IF NOT EXISTS recordsByFolder ON records(folder);";

// A folder's summaries leave the chat out: the search text holds it, and decoding it again for
// every record of a large folder would cost more than the rest of the listing.
constexpr const char* kFolderColumns = "path, size, mtime, status, error, logVersion, gameType, mapId, mapSize,"
                                       " duration, recorder, players, searchText, formatFamily";
constexpr const char* kAllColumns = "path, size, mtime, status, error, logVersion, gameType, mapId, mapSize,"
                                    " duration, recorder, players, searchText, formatFamily, chat";

} // namespace

// A prepared statement that finalises itself.
class SqlStatement {
public:
    SqlStatement(sqlite3* db, const char* sql)
    {
        if (db)
            sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
    }
    ~SqlStatement() { sqlite3_finalize(m_statement); }
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool IsValid() const { return m_statement != nullptr; }
    sqlite3_stmt* Get() const { return m_statement; }

    void Bind(int column, const QString& text)
    {
        const QByteArray bytes = text.toUtf8();
        sqlite3_bind_text(m_statement, column, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    }
    void Bind(int column, qint64 value) { sqlite3_bind_int64(m_statement, column, value); }
    void BindBlob(int column, const QByteArray& bytes)
    {
        sqlite3_bind_blob(m_statement, column, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    }
    QString Text(int column) const
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
    }
    qint64 Int(int column) const { return sqlite3_column_int64(m_statement, column); }
    // Text kept as UTF-16 bytes: read back with one copy, where UTF-8 would be decoded.
    void BindUtf16(int column, const QString& text)
    {
        sqlite3_bind_blob(m_statement, column, text.constData(), static_cast<int>(text.size() * sizeof(QChar)), SQLITE_TRANSIENT);
    }
    QString Utf16(int column) const
    {
        const auto* bytes = static_cast<const QChar*>(sqlite3_column_blob(m_statement, column));
        return QString(bytes, sqlite3_column_bytes(m_statement, column) / static_cast<int>(sizeof(QChar)));
    }
    QByteArray Blob(int column) const
    {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
        return QByteArray(bytes, sqlite3_column_bytes(m_statement, column));
    }

private:
    sqlite3_stmt* m_statement = nullptr;
};

namespace {

// Players are packed as plain little records: count, then per player its four numbers, the
// name's length in UTF-16 units and the name. A folder's worth is read back with copies alone.
void AppendInt(QByteArray& bytes, qint32 value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

QByteArray PackPlayers(const QList<LibraryPlayer>& players)
{
    QByteArray bytes;
    AppendInt(bytes, static_cast<qint32>(players.size()));
    for (const LibraryPlayer& player : players) {
        for (const int value : {player.civilization, player.colour, player.team, player.kind})
            AppendInt(bytes, value);
        AppendInt(bytes, static_cast<qint32>(player.name.size()));
        bytes.append(reinterpret_cast<const char*>(player.name.constData()), player.name.size() * qsizetype(sizeof(QChar)));
    }
    return bytes;
}

// Reads the packed players off the front of a byte run, never past its end.
class PackedReader {
public:
    explicit PackedReader(const QByteArray& bytes) : m_bytes(bytes) {}
    bool Int(qint32& value)
    {
        if (m_bytes.size() - m_at < qsizetype(sizeof value))
            return false;
        std::memcpy(&value, m_bytes.constData() + m_at, sizeof value);
        m_at += sizeof value;
        return true;
    }
    bool Text(qint32 length, QString& text)
    {
        const qsizetype size = qsizetype(length) * qsizetype(sizeof(QChar));
        if (length < 0 || m_bytes.size() - m_at < size)
            return false;
        text.resize(length);
        std::memcpy(text.data(), m_bytes.constData() + m_at, static_cast<std::size_t>(size));
        m_at += size;
        return true;
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
};

// At most nine players fit a record; anything else in the column is not ours and reads as none.
QList<LibraryPlayer> UnpackPlayers(const QByteArray& bytes)
{
    PackedReader in(bytes);
    qint32 count = 0;
    if (!in.Int(count) || count < 0 || count > 9)
        return {};
    QList<LibraryPlayer> players;
    players.reserve(count);
    for (qint32 index = 0; index < count; ++index) {
        LibraryPlayer player;
        qint32 civilization = 0, colour = 0, team = 0, kind = 0, length = 0;
        if (!in.Int(civilization) || !in.Int(colour) || !in.Int(team) || !in.Int(kind) || !in.Int(length)
            || !in.Text(length, player.name))
            return {};
        player.civilization = civilization;
        player.colour = colour;
        player.team = team;
        player.kind = kind;
        players.append(player);
    }
    return players;
}

LibrarySummary ReadRow(const SqlStatement& row)
{
    LibrarySummary summary;
    summary.path = row.Text(0);
    summary.size = row.Int(1);
    summary.mtime = row.Int(2);
    summary.status = row.Int(3) == int(LibrarySummary::Status::Damaged) ? LibrarySummary::Status::Damaged
                                                                         : LibrarySummary::Status::Read;
    summary.errorText = row.Text(4);
    summary.logVersion = static_cast<int>(row.Int(5));
    summary.gameType = static_cast<int>(row.Int(6));
    summary.mapId = static_cast<int>(row.Int(7));
    summary.mapSize = static_cast<int>(row.Int(8));
    summary.duration = row.Int(9);
    summary.recorder = row.Text(10);
    summary.players = UnpackPlayers(row.Blob(11));
    summary.searchText = row.Utf16(12);
    summary.formatFamily = static_cast<int>(row.Int(13));
    if (sqlite3_column_count(row.Get()) > 14)
        summary.chat = row.Text(14);
    return summary;
}

QString FolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// A folder as stored, and the range its subtree's paths sort in: every path that starts with
// "folder/" sorts between "folder/" and "folder0".
struct FolderRange {
    QString folder;
    QString low;
    QString high;
};

FolderRange RangeOf(const QString& folder)
{
    QString base = folder;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QString low = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
    return {base, low, low.chopped(1) + QLatin1Char('0')};
}

} // namespace

LibraryIndex::LibraryIndex(const QString& databasePath)
{
    if (!OpenFile(databasePath)) {
        OpenMemory();
        m_fallbackMessage = QStringLiteral("记录索引无法写入磁盘，本次只保存在内存中");
    }
}

LibraryIndex::~LibraryIndex()
{
    sqlite3_close(m_db);
}

QString LibraryIndex::DefaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("library.sqlite"));
}

bool LibraryIndex::Exec(const char* sql) const
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

int LibraryIndex::StoredSchemaVersion() const
{
    SqlStatement query(m_db, "PRAGMA user_version");
    if (!query.IsValid() || sqlite3_step(query.Get()) != SQLITE_ROW)
        return -1;
    return static_cast<int>(query.Int(0));
}

// A file that is not a database, cannot be written or cannot take the schema is given up.
bool LibraryIndex::OpenFile(const QString& databasePath)
{
    QDir().mkpath(QFileInfo(databasePath).absolutePath());
    const QByteArray path = databasePath.toUtf8();
    if (sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_busy_timeout(m_db, 2000);
    const int stored = StoredSchemaVersion();
    const bool usable = stored >= 0 && Exec("PRAGMA journal_mode=WAL") && Exec("PRAGMA synchronous=NORMAL")
                      && Exec("PRAGMA mmap_size=268435456") && Prepare();
    if (!usable) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    return usable;
}

void LibraryIndex::OpenMemory()
{
    sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    m_inMemory = true;
    Prepare();
}

// An older schema is not migrated: its summaries are rebuilt from the records on the next run.
bool LibraryIndex::Prepare()
{
    const int stored = StoredSchemaVersion();
    if (stored != SchemaVersion && !Exec("DROP TABLE IF EXISTS records"))
        return false;
    const QByteArray setVersion = QByteArray("PRAGMA user_version = ") + QByteArray::number(SchemaVersion);
    // Setting the version writes to the file: a read-only database fails here, not mid-run.
    return Exec(kCreateTable) && Exec(setVersion.constData());
}

bool LibraryIndex::IsCurrent(const QString& path, qint64 size, qint64 mtime) const
{
    SqlStatement query(m_db, "SELECT size, mtime FROM records WHERE path = ?");
    if (!query.IsValid())
        return false;
    query.Bind(1, path);
    return sqlite3_step(query.Get()) == SQLITE_ROW && query.Int(0) == size && query.Int(1) == mtime;
}

std::optional<LibrarySummary> LibraryIndex::Find(const QString& path) const
{
    const QByteArray sql = QByteArray("SELECT ") + kAllColumns + " FROM records WHERE path = ?";
    SqlStatement query(m_db, sql.constData());
    if (!query.IsValid())
        return std::nullopt;
    query.Bind(1, path);
    if (sqlite3_step(query.Get()) != SQLITE_ROW)
        return std::nullopt;
    return ReadRow(query);
}

bool LibraryIndex::Store(const QList<LibrarySummary>& summaries)
{
    if (!Exec("BEGIN"))
        return false;
    SqlStatement insert(m_db, "INSERT OR REPLACE INTO records (path, folder, size, mtime, status, error, logVersion,"
                           " gameType, mapId, mapSize, duration, recorder, players, chat, searchText, formatFamily)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    bool ok = insert.IsValid();
    for (const LibrarySummary& summary : summaries) {
        if (!ok)
            break;
        sqlite3_reset(insert.Get());
        insert.Bind(1, summary.path);
        insert.Bind(2, FolderOf(summary.path));
        insert.Bind(3, summary.size);
        insert.Bind(4, summary.mtime);
        insert.Bind(5, qint64(summary.status));
        insert.Bind(6, summary.errorText);
        insert.Bind(7, qint64(summary.logVersion));
        insert.Bind(8, qint64(summary.gameType));
        insert.Bind(9, qint64(summary.mapId));
        insert.Bind(10, qint64(summary.mapSize));
        insert.Bind(11, summary.duration);
        insert.Bind(12, summary.recorder);
        insert.BindBlob(13, PackPlayers(summary.players));
        insert.Bind(14, summary.chat);
        insert.BindUtf16(15, summary.searchText);
        insert.Bind(16, qint64(summary.formatFamily));
        ok = sqlite3_step(insert.Get()) == SQLITE_DONE;
    }
    return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
}

bool LibraryIndex::Remove(const QStringList& paths)
{
    if (!Exec("BEGIN"))
        return false;
    SqlStatement remove(m_db, "DELETE FROM records WHERE path = ?");
    bool ok = remove.IsValid();
    for (const QString& path : paths) {
        if (!ok)
            break;
        sqlite3_reset(remove.Get());
        remove.Bind(1, path);
        ok = sqlite3_step(remove.Get()) == SQLITE_DONE;
    }
    return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
}

// The rows whose path lies in `folder` itself, or anywhere below it, with the columns asked for.
std::unique_ptr<SqlStatement> LibraryIndex::ScopeQuery(const char* columns, const QString& folder, bool subfolders) const
{
    const FolderRange range = RangeOf(folder);
    const QByteArray sql = QByteArray("SELECT ") + columns + " FROM records WHERE "
                         + (subfolders ? "path > ? AND path < ?" : "folder = ?");
    auto query = std::make_unique<SqlStatement>(m_db, sql.constData());
    if (subfolders) {
        query->Bind(1, range.low);
        query->Bind(2, range.high);
    } else {
        query->Bind(1, range.folder);
    }
    return query;
}

QHash<QString, LibraryIndex::FileStamp> LibraryIndex::StampsUnder(const QString& folder, bool subfolders) const
{
    QHash<QString, FileStamp> stamps;
    const std::unique_ptr<SqlStatement> query = ScopeQuery("path, size, mtime", folder, subfolders);
    while (query->IsValid() && sqlite3_step(query->Get()) == SQLITE_ROW)
        stamps.insert(query->Text(0), {query->Int(1), query->Int(2)});
    return stamps;
}

QStringList LibraryIndex::PathsUnder(const QString& folder, bool subfolders) const
{
    QStringList paths = StampsUnder(folder, subfolders).keys();
    paths.sort();
    return paths;
}

QList<LibrarySummary> LibraryIndex::SummariesUnder(const QString& folder, bool subfolders) const
{
    QList<LibrarySummary> summaries;
    const std::unique_ptr<SqlStatement> query = ScopeQuery(kFolderColumns, folder, subfolders);
    while (query->IsValid() && sqlite3_step(query->Get()) == SQLITE_ROW)
        summaries.append(ReadRow(*query));
    return summaries;
}
