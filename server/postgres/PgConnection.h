// One libpq connection: every statement goes with its values as bound text parameters, results
// are read by row and column with their types checked, and every failure is a PgError carrying
// the five-character SQLSTATE the server sent (empty when the connection itself failed).
#pragma once

#include <libpq-fe.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class PgError : public std::runtime_error {
public:
    PgError(const std::string& message, std::string sqlState)
        : std::runtime_error(message), sqlState_(std::move(sqlState)) {}
    const std::string& sqlState() const { return sqlState_; }

private:
    std::string sqlState_;
};

// A statement's value: text in PostgreSQL's input syntax, or NULL.
using PgValue = std::optional<std::string>;

class PgResult {
public:
    explicit PgResult(PGresult* result) : result_(result, &PQclear) {}

    int rows() const { return PQntuples(result_.get()); }
    const PGresult* raw() const { return result_.get(); }
    bool isNull(int row, int column) const;
    std::string text(int row, int column) const;
    int64_t integer(int row, int column) const;

private:
    void checkCell(int row, int column) const;

    std::unique_ptr<PGresult, decltype(&PQclear)> result_;
};

class PgConnection {
public:
    // Connects to the database of `url` (a postgresql:// URL or key=value string), waiting at
    // most `connectTimeoutSeconds`; no statement runs longer than `statementTimeoutMilliseconds`.
    PgConnection(const std::string& url, int connectTimeoutSeconds,
                 int statementTimeoutMilliseconds);
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Runs one statement with its parameters ($1, $2, ...).
    PgResult execute(const std::string& sql, const std::vector<PgValue>& parameters = {});
    // Runs statements without parameters, separated by semicolons (schema texts).
    void executeScript(const std::string& sql);
    // Runs `COPY ... FROM STDIN` with `rows` in COPY's text format (see copyField).
    void copyIn(const std::string& copySql, const std::string& rows);

    // False once the connection to the server is lost; such a connection is not used again.
    bool usable() const { return PQstatus(connection_.get()) == CONNECTION_OK; }
    // True while a transaction is open or failed on this connection.
    bool inTransaction() const;

private:
    PgResult checked(PGresult* result);

    std::unique_ptr<PGconn, decltype(&PQfinish)> connection_;
};

// `value` as one field of COPY's text format: the characters that separate or escape fields are
// escaped with backslashes.
std::string copyField(const std::string& value);
// The URL with any password replaced by "***", for messages.
std::string withoutPassword(const std::string& url);
// Text forms of values for parameters.
inline PgValue pgText(int64_t value) {
    return std::to_string(value);
}
