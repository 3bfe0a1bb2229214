// SQLite connection, schema and statement cache of the web service.
#include "Database.h"

#include "Schema.h"

namespace {

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
    // A constructor that throws runs no destructor: the connection is closed here then.
    try {
        configure(access);
    } catch (...) {
        close();
        throw;
    }
}

void Database::configure(Access access) {
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
    refuseNewerSchema();
    execute(kBaseSchema.sqlite);
    migrate();
}

void Database::refuseNewerSchema() {
    Query query = this->query("PRAGMA user_version");
    query.step();
    const int64_t version = query.integer(0);
    const auto latest = static_cast<int64_t>(schemaVersion());
    if (version > latest) {
        throw DatabaseError(SQLITE_ERROR, "the database has schema version " +
                                              std::to_string(version) + ", newer than " +
                                              std::to_string(latest) +
                                              ", the newest this program knows");
    }
}

void Database::migrate() {
    for (;;) {
        Transaction transaction(*this);
        int64_t version = 0;
        {
            Query query = this->query("PRAGMA user_version");
            query.step();
            version = query.integer(0);
        }
        if (version >= static_cast<int64_t>(schemaVersion())) {
            return;
        }
        execute(kMigrations[version].sqlite);
        execute(("PRAGMA user_version=" + std::to_string(version + 1)).c_str());
        transaction.commit();
    }
}

Database::~Database() {
    close();
}

void Database::close() {
    for (auto& [sql, statement] : statements_) {
        sqlite3_finalize(statement);
    }
    statements_.clear();
    sqlite3_close(connection_);
    connection_ = nullptr;
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
