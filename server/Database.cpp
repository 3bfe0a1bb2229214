// SQLite connection, schema and statement cache of the web service.
#include "Database.h"

#include <iterator>

namespace {

// Tables of the service. Names are case-insensitive so that "Bob" and "bob" cannot both exist.
// totals holds the ranked players only; its index serves the top of the ranking. points_buckets
// counts the players per band of 100 points and is kept up to date by triggers in the same
// statement that changes totals, so a position is a sum over at most 871 bands plus a count
// within the player's own band, whatever the number of players. A backup copy is a row of copies
// plus its rows in copy_rows; the newest copy of a user is the current one, older ones are kept for
// the operator.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS users(
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE COLLATE NOCASE,
    password_hash TEXT NOT NULL,
    mail TEXT NOT NULL,
    country TEXT NOT NULL,
    created_at INTEGER NOT NULL
);
CREATE TABLE IF NOT EXISTS totals(
    user_id INTEGER PRIMARY KEY REFERENCES users(id),
    points INTEGER NOT NULL,
    reached_at INTEGER NOT NULL
);
CREATE INDEX IF NOT EXISTS totals_by_points ON totals(points DESC, reached_at, user_id);
CREATE TABLE IF NOT EXISTS points_buckets(
    bucket INTEGER PRIMARY KEY,
    players INTEGER NOT NULL
);
CREATE TRIGGER IF NOT EXISTS totals_added AFTER INSERT ON totals BEGIN
    INSERT INTO points_buckets(bucket, players) VALUES(NEW.points / 100, 1)
        ON CONFLICT(bucket) DO UPDATE SET players = players + 1;
END;
CREATE TRIGGER IF NOT EXISTS totals_changed AFTER UPDATE OF points ON totals BEGIN
    UPDATE points_buckets SET players = players - 1 WHERE bucket = OLD.points / 100;
    INSERT INTO points_buckets(bucket, players) VALUES(NEW.points / 100, 1)
        ON CONFLICT(bucket) DO UPDATE SET players = players + 1;
END;
CREATE TRIGGER IF NOT EXISTS totals_removed AFTER DELETE ON totals BEGIN
    UPDATE points_buckets SET players = players - 1 WHERE bucket = OLD.points / 100;
END;
CREATE TABLE IF NOT EXISTS copies(
    id INTEGER PRIMARY KEY,
    user_id INTEGER NOT NULL REFERENCES users(id),
    created_at INTEGER NOT NULL,
    origin TEXT NOT NULL
);
CREATE INDEX IF NOT EXISTS copies_by_user ON copies(user_id, id);
CREATE TABLE IF NOT EXISTS copy_rows(
    copy_id INTEGER NOT NULL REFERENCES copies(id) ON DELETE CASCADE,
    id_gun INTEGER NOT NULL,
    score INTEGER NOT NULL,
    cat_name TEXT NOT NULL,
    PRIMARY KEY(copy_id, id_gun)
) WITHOUT ROWID;
)sql";

// Changes to the tables above, in order: a database at PRAGMA user_version N gets the changes from
// index N on, each in the transaction that also raises its version.
// 1: a password mailed by a reminder is kept beside the player's own until one of them is used.
constexpr const char* kMigrations[] = {
    R"sql(
ALTER TABLE users ADD COLUMN reminder_hash TEXT;
ALTER TABLE users ADD COLUMN reminder_expires_at INTEGER;
)sql",
};

void check(sqlite3* connection, int code) {
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE) {
        throw DatabaseError(sqlite3_extended_errcode(connection), sqlite3_errmsg(connection));
    }
}

}  // namespace

DatabaseError::DatabaseError(int code, const std::string& message)
    : std::runtime_error("database: " + message), code_(code) {}

Query::Query(sqlite3* connection, sqlite3_stmt* statement)
    : connection_(connection), statement_(statement) {}

Query::~Query() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

Query& Query::bind(int index, int64_t value) {
    check(connection_, sqlite3_bind_int64(statement_, index, value));
    return *this;
}

Query& Query::bind(int index, std::string_view text) {
    check(connection_, sqlite3_bind_text64(statement_, index, text.data(), text.size(),
                                           SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

bool Query::step() {
    int code = sqlite3_step(statement_);
    check(connection_, code);
    return code == SQLITE_ROW;
}

void Query::run() {
    while (step()) {
    }
}

int64_t Query::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string Query::text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    if (text == nullptr) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<size_t>(sqlite3_column_bytes(statement_, column)));
}

bool Query::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

Database::Database(const std::filesystem::path& file, Access access) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (access == Access::Write) {
        flags |= SQLITE_OPEN_CREATE;
    }
    int code = sqlite3_open_v2(file.c_str(), &connection_, flags, nullptr);
    if (code != SQLITE_OK) {
        std::string message = connection_ ? sqlite3_errmsg(connection_) : "out of memory";
        sqlite3_close(connection_);
        throw DatabaseError(code, message + " (" + file.string() + ")");
    }
    sqlite3_extended_result_codes(connection_, 1);
    if (access == Access::Read) {
        // Opened read-write only so that it may take part in the WAL's shared memory.
        execute("PRAGMA query_only=1");
        // Pages are read in place from the mapped file instead of being copied in by a system
        // call each time; the log's pages still come from the log.
        execute("PRAGMA mmap_size=1073741824");
        execute("PRAGMA busy_timeout=5000");
        return;
    }
    // WAL: readers never block the writer and a commit is one append to the log. synchronous=FULL
    // syncs the log at every commit, so an acknowledged write survives a killed process and a
    // power cut alike; the cost is one fsync per commit that changes something.
    execute("PRAGMA journal_mode=WAL");
    execute("PRAGMA synchronous=FULL");
    execute("PRAGMA foreign_keys=ON");
    execute("PRAGMA busy_timeout=5000");
    execute(kSchema);
    migrate();
}

void Database::migrate() {
    constexpr int64_t kLatest = std::size(kMigrations);
    for (;;) {
        Transaction transaction(*this);
        int64_t version = 0;
        {
            Query query = this->query("PRAGMA user_version");
            query.step();
            version = query.integer(0);
        }
        if (version >= kLatest) {
            return;
        }
        execute(kMigrations[version]);
        execute(("PRAGMA user_version=" + std::to_string(version + 1)).c_str());
        transaction.commit();
    }
}

Database::~Database() {
    for (auto& [sql, statement] : statements_) {
        sqlite3_finalize(statement);
    }
    sqlite3_close(connection_);
}

Query Database::query(const std::string& sql) {
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        sqlite3_stmt* statement = nullptr;
        check(connection_, sqlite3_prepare_v3(connection_, sql.c_str(), -1,
                                              SQLITE_PREPARE_PERSISTENT, &statement, nullptr));
        found = statements_.emplace(sql, statement).first;
    }
    return Query(connection_, found->second);
}

void Database::execute(const char* sql) {
    char* error = nullptr;
    int code = sqlite3_exec(connection_, sql, nullptr, nullptr, &error);
    if (code != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(code);
        sqlite3_free(error);
        throw DatabaseError(code, message);
    }
}

int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(connection_);
}

int Database::changes() const {
    return sqlite3_changes(connection_);
}

bool Database::inTransaction() const {
    return sqlite3_get_autocommit(connection_) == 0;
}

void Database::whenLogGrows(std::function<void(int pages)> grown) {
    logGrown_ = std::move(grown);
    sqlite3_wal_hook(
        connection_,
        [](void* self, sqlite3*, const char*, int pages) {
            static_cast<Database*>(self)->logGrown_(pages);
            return SQLITE_OK;
        },
        this);
}

std::filesystem::path Database::file() const {
    return sqlite3_db_filename(connection_, "main");
}

Transaction::Transaction(Database& database, Kind kind) : database_(database) {
    database_.execute(kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
    if (!finished_) {
        try {
            database_.execute("ROLLBACK");
        } catch (const DatabaseError&) {
            // The connection rolls back by itself when a statement failed fatally.
        }
    }
}

void Transaction::commit() {
    database_.execute("COMMIT");
    finished_ = true;
}
