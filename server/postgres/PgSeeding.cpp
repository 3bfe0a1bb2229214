#include "PgSeeding.h"

#include "PgConnection.h"
#include "PgSchema.h"

namespace {

constexpr int64_t kRowsPerCopy = 20'000;

void appendRow(std::string& rows, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& field : fields) {
        rows += first ? "" : "\t";
        rows += copyField(field);
        first = false;
    }
    rows += '\n';
}

}  // namespace

void seedPostgres(const std::string& url, int64_t count,
                  const std::function<SeededPlayer(int64_t)>& player) {
    PgConnection connection(url, 10, 0);
    bringSchemaUpToDate(connection);
    connection.execute("BEGIN");
    // The counts per band are added up once at the end; the lock keeps the service's writes out
    // meanwhile.
    connection.execute("LOCK TABLE users, totals IN EXCLUSIVE MODE");
    connection.execute("ALTER TABLE totals DISABLE TRIGGER totals_counted");
    const int64_t firstId =
        connection.execute("SELECT COALESCE(MAX(id), 0) + 1 FROM users").integer(0, 0);
    for (int64_t from = 1; from <= count; from += kRowsPerCopy) {
        std::string users;
        std::string totals;
        for (int64_t i = from; i < from + kRowsPerCopy && i <= count; ++i) {
            SeededPlayer made = player(i);
            std::string id = std::to_string(firstId + i - 1);
            appendRow(users, {id, made.name, made.passwordHash, made.mail, made.country, "0",
                              made.sessionHash, std::to_string(made.sessionExpiresAt)});
            appendRow(totals, {id, std::to_string(made.points), std::to_string(made.reachedAt)});
        }
        connection.copyIn(
            "COPY users(id, name, password_hash, mail, country, created_at, session_hash, "
            "session_expires_at) FROM STDIN",
            users);
        connection.copyIn("COPY totals(user_id, points, reached_at) FROM STDIN", totals);
    }
    connection.execute(
        "INSERT INTO points_buckets(bucket, players) "
        "SELECT points / 100, COUNT(*) FROM totals WHERE user_id >= $1 GROUP BY 1 "
        "ON CONFLICT(bucket) DO UPDATE SET players = points_buckets.players + excluded.players",
        {pgText(firstId)});
    connection.execute("ALTER TABLE totals ENABLE TRIGGER totals_counted");
    // Ids were given here: the identity goes on after them.
    connection.execute(
        "SELECT setval(pg_get_serial_sequence('users', 'id'), (SELECT MAX(id) FROM users))");
    connection.execute("COMMIT");
    connection.execute("ANALYZE users");
    connection.execute("ANALYZE totals");
}
