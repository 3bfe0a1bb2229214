// A SQLite connection of the service: opening it with the durability settings, the schema, cached
// prepared statements and transactions. Every value goes in through a bound parameter. The
// service writes through one connection and reads through others on the same file.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>

// Any failure reported by SQLite. `code` is SQLite's extended result code.
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(int code, const std::string& message);
    int code() const { return code_; }
    bool isConstraintViolation() const { return (code_ & 0xff) == SQLITE_CONSTRAINT; }

private:
    int code_;
};

// One use of a cached prepared statement. Binding and stepping go through it; when it goes out of
// scope the statement is reset, so no read transaction stays open between requests.
class Query {
public:
    Query(sqlite3* connection, sqlite3_stmt* statement);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // Parameters are numbered from 1, as in SQLite.
    Query& bind(int index, int64_t value);
    Query& bind(int index, std::string_view text);

    // Advances to the next result row; false once there is none.
    bool step();
    // Runs a statement that returns no rows.
    void run();

    int64_t integer(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const;

private:
    sqlite3* connection_;
    sqlite3_stmt* statement_;
};

class Database {
public:
    enum class Access {
        // Creates the file when needed and brings its schema up to date.
        Write,
        // Only reads an existing file (whose schema a writer made); in WAL mode it reads the last
        // commit and never waits for a writer's sync.
        Read,
    };

    explicit Database(const std::filesystem::path& file, Access access = Access::Write);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The connection is shared by every request thread: hold this mutex for the whole of any
    // sequence of queries that must see or make one consistent state.
    std::mutex& mutex() { return mutex_; }

    Query query(const std::string& sql);
    void execute(const char* sql);
    int64_t lastInsertId() const;
    int changes() const;
    // False once SQLite has ended an open transaction by itself (after an I/O error, for one).
    bool inTransaction() const;
    std::filesystem::path file() const;

    // Calls `grown` with the number of pages in the write-ahead log after each commit of this
    // connection, in place of SQLite's own checkpoint, which would hold the commit up while it
    // copies the log into the file. `grown` must be quick: it runs inside the commit.
    void whenLogGrows(std::function<void(int pages)> grown);

private:
    // The settings of `access`, and for a writer the schema.
    void configure(Access access);
    void close();
    // A file of a newer program is left untouched.
    void refuseNewerSchema();
    // Brings a database made by an earlier version up to the current tables.
    void migrate();

    sqlite3* connection_ = nullptr;
    std::function<void(int pages)> logGrown_;
    std::map<std::string, sqlite3_stmt*, std::less<>> statements_;
    std::mutex mutex_;
};

// BEGIN IMMEDIATE on construction; ROLLBACK on destruction unless commit() was called, so an
// exception half-way leaves nothing behind. A read transaction (a plain BEGIN) makes the queries
// in it see one and the same state of the file.
class Transaction {
public:
    enum class Kind { Write, Read };

    explicit Transaction(Database& database, Kind kind = Kind::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& database_;
    bool finished_ = false;
};
