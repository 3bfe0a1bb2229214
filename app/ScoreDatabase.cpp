// The score database's statements and the one pattern every operation follows.
#include "app/ScoreDatabase.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "app/TextValue.h"
#include "platform/Bundle.h"

namespace {

constexpr const char* kDatabaseName = "baza.sqlite";

constexpr const char* kSelectScoreForGame =
    "SELECT id_score, score FROM scores WHERE username = ? AND id_gun = ?";
constexpr const char* kUpdateScore = "UPDATE scores SET score = ? WHERE id_score = ?";
constexpr const char* kInsertScore =
    "INSERT INTO scores (score, username, cat_name, id_gun) VALUES(?, ?, ?, ?)";
constexpr const char* kSelectScoresForCategory =
    "SELECT id_gun, score FROM scores WHERE username = ? AND cat_name = ? ORDER BY id_gun";
constexpr const char* kSumScoresForCategory =
    "SELECT COUNT(score) as count, SUM(score) AS suma FROM scores WHERE username = ? AND "
    "cat_name = ?";
constexpr const char* kSelectRowsForUser =
    "SELECT id_gun, cat_name, score FROM scores WHERE username = ? ORDER BY id_gun";
constexpr const char* kDeleteRowsForUser = "DELETE FROM scores WHERE username = ?";
constexpr const char* kInsertRestoredRow =
    "INSERT INTO scores (username, id_gun, score, cat_name) VALUES(?, ?, ?, ?)";
constexpr const char* kCacheSize = "PRAGMA CACHE_SIZE=500;";

// One connection, opened read-write on an existing file only, closed when it goes away.
class Connection {
public:
    enum class CacheSize { Set, Leave };

    explicit Connection(CacheSize cacheSize) {
        const std::string path = ScoreDatabase::databasePath();
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "score database: cannot open %s: %s\n", path.c_str(),
                         db_ ? sqlite3_errmsg(db_) : "out of memory");
            sqlite3_close(db_);
            db_ = nullptr;
            return;
        }
        if (cacheSize == CacheSize::Set &&
            sqlite3_exec(db_, kCacheSize, nullptr, nullptr, nullptr) != SQLITE_OK) {
            std::printf("Can't open db\n");
            std::fflush(stdout);
            std::fprintf(stderr, "score database: %s: %s\n", path.c_str(), sqlite3_errmsg(db_));
        }
    }
    ~Connection() { sqlite3_close(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    bool execute(const char* sql) {
        return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }

private:
    sqlite3* db_ = nullptr;
};

// One prepared statement with its values bound as text; finalized when it goes away.
class Statement {
public:
    Statement(const Connection& connection, const char* sql,
              std::initializer_list<std::string_view> values) {
        if (!connection.isOpen()) {
            return;
        }
        if (sqlite3_prepare_v2(connection.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "score database: cannot prepare \"%s\": %s\n", sql,
                         sqlite3_errmsg(connection.handle()));
            sqlite3_finalize(statement_);
            statement_ = nullptr;
            return;
        }
        bind(values);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Rebinds the statement for another run, as the restore does once per row.
    void bind(std::initializer_list<std::string_view> values) {
        if (!statement_) {
            return;
        }
        sqlite3_reset(statement_);
        int index = 1;
        for (std::string_view value : values) {
            sqlite3_bind_text(statement_, index++, value.data(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT);
        }
    }

    // Steps until no more rows, handing each row to ON_ROW. True when every row was read.
    bool run(const std::function<void(const Statement&)>& onRow = {}) {
        if (!statement_) {
            return false;
        }
        int result;
        while ((result = sqlite3_step(statement_)) == SQLITE_ROW) {
            if (onRow) {
                onRow(*this);
            }
        }
        return result == SQLITE_DONE;
    }

    std::string text(int column) const {
        const unsigned char* value = sqlite3_column_text(statement_, column);
        if (!value) {
            return {};
        }
        return std::string(reinterpret_cast<const char*>(value),
                           static_cast<size_t>(sqlite3_column_bytes(statement_, column)));
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace

namespace ScoreDatabase {

std::string databasePath() {
    return Bundle::main().pathInDocuments(kDatabaseName);
}

void createEditableCopyOfDatabaseIfNeeded() {
    namespace fs = std::filesystem;
    const std::string path = databasePath();
    std::error_code error;
    if (fs::exists(path, error)) {
        return;
    }
    std::optional<std::string> templatePath = Bundle::main().pathForResource("baza", "sqlite");
    if (!templatePath) {
        std::fprintf(stderr, "score database: the template baza.sqlite is missing\n");
        return;
    }
    if (!fs::copy_file(*templatePath, path, error)) {
        std::fprintf(stderr, "score database: cannot copy the template to %s: %s\n", path.c_str(),
                     error.message().c_str());
    }
}

ScoreLookup checkScoreForThisGameExist(const std::string& login, int idGun) {
    ScoreLookup lookup;
    Connection db(Connection::CacheSize::Set);
    Statement select(db, kSelectScoreForGame, {login, std::to_string(idGun)});
    lookup.succeeded = select.run([&](const Statement& row) {
        lookup.idScore = row.text(0);
        lookup.lastBestScore = row.text(1);
        lookup.results.push_back(lookup.idScore);
    });
    return lookup;
}

bool updateScoreForThisGame(int points, const std::string& idScore) {
    Connection db(Connection::CacheSize::Set);
    Statement update(db, kUpdateScore, {std::to_string(points), idScore});
    return update.run() && sqlite3_changes(db.handle()) > 0;
}

bool insertNewScore(int points, const std::string& login, const std::string& category, int idGun) {
    Connection db(Connection::CacheSize::Set);
    Statement insert(db, kInsertScore,
                     {std::to_string(points), login, category, std::to_string(idGun)});
    return insert.run();
}

std::vector<GunScore> getScoresForCategory(const std::string& login, const std::string& category) {
    std::vector<GunScore> scores;
    Connection db(Connection::CacheSize::Set);
    Statement select(db, kSelectScoresForCategory, {login, category});
    select.run([&](const Statement& row) {
        scores.push_back(GunScore{intValue(row.text(0)), row.text(1)});
    });
    return scores;
}

std::string getSumScoresForCategory(const std::string& login, const std::string& category) {
    std::string sum = "0";
    Connection db(Connection::CacheSize::Leave);
    Statement select(db, kSumScoresForCategory, {login, category});
    select.run([&](const Statement& row) {
        if (intValue(row.text(0)) > 0) {
            sum = row.text(1);
        }
    });
    return sum;
}

std::vector<ResultRow> getJSONForUser(const std::string& user) {
    std::vector<ResultRow> rows;
    if (user.empty()) {
        return rows;
    }
    Connection db(Connection::CacheSize::Set);
    Statement select(db, kSelectRowsForUser, {user});
    select.run([&](const Statement& row) {
        rows.push_back(ResultRow{row.text(0), row.text(2), row.text(1)});
    });
    return rows;
}

bool updateLocalDatabase(const std::string& login, const std::vector<ResultRow>& rows) {
    if (login.empty()) {
        return false;
    }
    Connection db(Connection::CacheSize::Set);
    if (!db.isOpen() || !db.execute("BEGIN IMMEDIATE")) {
        return false;
    }
    bool stored = [&] {
        Statement remove(db, kDeleteRowsForUser, {login});
        if (!remove.run()) {
            return false;
        }
        Statement insert(db, kInsertRestoredRow, {});
        for (const ResultRow& row : rows) {
            insert.bind({login, row.idGun, row.score, row.catName});
            if (!insert.run()) {
                return false;
            }
        }
        return true;
    }();
    if (stored && db.execute("COMMIT")) {
        return true;
    }
    std::fprintf(stderr, "score database: restore of %s failed, the old rows are kept: %s\n",
                 login.c_str(), sqlite3_errmsg(db.handle()));
    db.execute("ROLLBACK");
    return false;
}

}  // namespace ScoreDatabase
