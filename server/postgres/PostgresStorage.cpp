// Names are compared as lower(name COLLATE "C"), the expression of the users_by_name and
// attempts_by_name indexes: "C" lowers ASCII letters only, as SQLite's NOCASE does.
#include "PostgresStorage.h"

#include <algorithm>

#include "PgSchema.h"

namespace {

// A text PostgreSQL refuses (not UTF-8, or holding a NUL byte) can be the name of no account.
bool isRefusedText(const PgError& error) {
    return error.sqlState() == "22021";
}

const char* kindName(AttemptKind kind) {
    return kind == AttemptKind::LogIn ? "log-in" : "reminder";
}

PgValue textOrNull(const std::string& text) {
    return text.empty() ? PgValue() : PgValue(text);
}

// 1 + the players with more points: those of the higher bands, counted in points_buckets, and
// those above the player within the player's own band, a short range of totals_by_points.
constexpr const char* kPositionOfMine =
    "1 + (SELECT COALESCE(SUM(players), 0) FROM points_buckets WHERE bucket > mine.points / 100)"
    " + (SELECT COUNT(*) FROM totals AS ahead WHERE ahead.points > mine.points"
    "    AND ahead.points < (mine.points / 100 + 1) * 100)";

std::optional<int64_t> positionOf(PgConnection& connection, int64_t userId) {
    PgResult result = connection.execute(
        std::string("SELECT ") + kPositionOfMine + " FROM totals AS mine WHERE mine.user_id = $1",
        {pgText(userId)});
    if (result.rows() == 0) {
        return std::nullopt;
    }
    return result.integer(0, 0);
}

std::vector<BackupRow> rowsOfCopy(PgConnection& connection, int64_t copyId) {
    PgResult result = connection.execute(
        "SELECT id_gun, score, cat_name FROM copy_rows WHERE copy_id = $1 ORDER BY id_gun",
        {pgText(copyId)});
    std::vector<BackupRow> rows;
    for (int row = 0; row < result.rows(); ++row) {
        rows.push_back({static_cast<int>(result.integer(row, 0)),
                        static_cast<int>(result.integer(row, 1)), result.text(row, 2)});
    }
    return rows;
}

std::optional<int64_t> currentCopyId(PgConnection& connection, int64_t userId) {
    PgResult result = connection.execute(
        "SELECT id FROM copies WHERE user_id = $1 ORDER BY id DESC LIMIT 1", {pgText(userId)});
    if (result.rows() == 0) {
        return std::nullopt;
    }
    return result.integer(0, 0);
}

// Copies of one user are added one at a time, so that the newest id is the newest copy and the
// current copy a merge reads is still current when its result is stored.
void lockCopiesOf(PgConnection& connection, int64_t userId) {
    connection.execute("SELECT 1 FROM users WHERE id = $1 FOR UPDATE", {pgText(userId)});
}

int64_t insertCopy(PgConnection& connection, int64_t userId, const std::vector<BackupRow>& rows,
                   const std::string& origin, int64_t now) {
    int64_t copyId = connection
                         .execute(
                             "INSERT INTO copies(user_id, created_at, origin) VALUES($1, $2, $3) "
                             "RETURNING id",
                             {pgText(userId), pgText(now), origin})
                         .integer(0, 0);
    if (!rows.empty()) {
        std::string sql = "INSERT INTO copy_rows(copy_id, id_gun, score, cat_name) VALUES";
        std::vector<PgValue> values{pgText(copyId)};
        for (const BackupRow& row : rows) {
            size_t first = values.size() + 1;
            sql += (values.size() == 1 ? "($1, $" : ", ($1, $") + std::to_string(first) + ", $" +
                   std::to_string(first + 1) + ", $" + std::to_string(first + 2) + ")";
            values.push_back(pgText(row.idGun));
            values.push_back(pgText(row.score));
            values.push_back(row.category);
        }
        connection.execute(sql, values);
    }
    // copy_rows go with their copy (ON DELETE CASCADE).
    connection.execute(
        "DELETE FROM copies WHERE user_id = $1 AND id NOT IN "
        "(SELECT id FROM copies WHERE user_id = $1 ORDER BY id DESC LIMIT $2)",
        {pgText(userId), pgText(Storage::kCopiesKept)});
    return copyId;
}

}  // namespace

PostgresStorage::PostgresStorage(const std::string& url, PgPoolSettings settings)
    : pool_(url, settings) {
    PgConnection connection(url, settings.connectTimeoutSeconds,
                            settings.statementTimeoutMilliseconds);
    bringSchemaUpToDate(connection);
}

std::optional<User> PostgresStorage::findUser(const std::string& name) {
    try {
        return pool_.transaction([&](PgConnection& connection) -> std::optional<User> {
            PgResult result = connection.execute(
                "SELECT id, name, password_hash, mail, country, reminder_hash, "
                "reminder_expires_at, session_hash, session_expires_at FROM users "
                "WHERE lower(name COLLATE \"C\") = lower($1::text COLLATE \"C\")",
                {name});
            if (result.rows() == 0) {
                return std::nullopt;
            }
            User user;
            user.id = result.integer(0, 0);
            user.name = result.text(0, 1);
            user.passwordHash = result.text(0, 2);
            user.mail = result.text(0, 3);
            user.country = result.text(0, 4);
            if (!result.isNull(0, 5)) {
                user.reminderHash = result.text(0, 5);
                user.reminderExpiresAt = result.integer(0, 6);
            }
            if (!result.isNull(0, 7)) {
                user.sessionHash = result.text(0, 7);
                user.sessionExpiresAt = result.integer(0, 8);
            }
            return user;
        });
    } catch (const PgError& error) {
        if (isRefusedText(error)) {
            return std::nullopt;
        }
        throw;
    }
}

std::optional<int64_t> PostgresStorage::createUser(const NewUser& user) {
    return pool_.transaction([&](PgConnection& connection) -> std::optional<int64_t> {
        // A name taken meanwhile by another process conflicts on users_by_name.
        PgResult result = connection.execute(
            "INSERT INTO users(name, password_hash, mail, country, created_at, session_hash, "
            "session_expires_at) VALUES($1, $2, $3, $4, $5, $6, $7) "
            "ON CONFLICT DO NOTHING RETURNING id",
            {user.name, user.passwordHash, user.mail, user.country, pgText(user.createdAt),
             textOrNull(user.sessionHash),
             user.sessionHash.empty() ? PgValue() : pgText(user.sessionExpiresAt)});
        if (result.rows() == 0) {
            return std::nullopt;
        }
        return result.integer(0, 0);
    });
}

void PostgresStorage::logIn(int64_t userId, const std::string& sessionHash,
                            int64_t sessionExpiresAt, ReminderAfterLogIn reminder,
                            const std::string& reminderHash) {
    pool_.transaction([&](PgConnection& connection) {
        connection.execute(
            "UPDATE users SET session_hash = $2, session_expires_at = $3 WHERE id = $1",
            {pgText(userId), sessionHash, pgText(sessionExpiresAt)});
        if (reminder == ReminderAfterLogIn::Drop) {
            connection.execute(
                "UPDATE users SET reminder_hash = NULL, reminder_expires_at = NULL WHERE id = $1",
                {pgText(userId)});
        } else if (reminder == ReminderAfterLogIn::Adopt) {
            connection.execute(
                "UPDATE users SET password_hash = reminder_hash, reminder_hash = NULL, "
                "reminder_expires_at = NULL WHERE id = $1 AND reminder_hash = $2",
                {pgText(userId), reminderHash});
        }
        return true;
    });
}

void PostgresStorage::renewSession(int64_t userId, const std::string& sessionHash,
                                   int64_t expiresAt) {
    pool_.transaction([&](PgConnection& connection) {
        connection.execute(
            "UPDATE users SET session_expires_at = $3 WHERE id = $1 AND session_hash = $2",
            {pgText(userId), sessionHash, pgText(expiresAt)});
        return true;
    });
}

void PostgresStorage::setReminder(int64_t userId, const std::string& reminderHash,
                                  int64_t expiresAt) {
    pool_.transaction([&](PgConnection& connection) {
        connection.execute(
            "UPDATE users SET reminder_hash = $2, reminder_expires_at = $3 WHERE id = $1",
            {pgText(userId), reminderHash, pgText(expiresAt)});
        return true;
    });
}

bool PostgresStorage::tryTakeAttempt(AttemptKind kind, const std::string& name, int limit,
                                     int64_t windowSeconds, int64_t now) {
    try {
        return pool_.transaction([&](PgConnection& connection) {
            // One lock per kind and name, taken by every process before it counts: the count and
            // the insert that follows it are one step for all of them.
            connection.execute(
                "SELECT pg_advisory_xact_lock(hashtextextended($1::text || ':' || "
                "lower($2::text COLLATE \"C\"), 0))",
                {kindName(kind), name});
            const int64_t oldest = now - windowSeconds;
            connection.execute("DELETE FROM attempts WHERE made_at <= $1", {pgText(oldest)});
            int64_t counted = connection
                                  .execute(
                                      "SELECT COUNT(*) FROM attempts WHERE kind = $1 AND "
                                      "lower(name COLLATE \"C\") = lower($2::text COLLATE \"C\") "
                                      "AND made_at > $3",
                                      {kindName(kind), name, pgText(oldest)})
                                  .integer(0, 0);
            if (counted >= limit) {
                return false;
            }
            connection.execute("INSERT INTO attempts(kind, name, made_at) VALUES($1, $2, $3)",
                               {kindName(kind), name, pgText(now)});
            return true;
        });
    } catch (const PgError& error) {
        // No account has such a name, so there is nothing its attempts could open.
        if (isRefusedText(error)) {
            return true;
        }
        throw;
    }
}

void PostgresStorage::forgetAttempts(AttemptKind kind, const std::string& name) {
    try {
        pool_.transaction([&](PgConnection& connection) {
            connection.execute(
                "DELETE FROM attempts WHERE kind = $1 AND "
                "lower(name COLLATE \"C\") = lower($2::text COLLATE \"C\")",
                {kindName(kind), name});
            return true;
        });
    } catch (const PgError& error) {
        if (!isRefusedText(error)) {
            throw;
        }
    }
}

int64_t PostgresStorage::nextReachedAt(int64_t nowMilliseconds) {
    // Strictly increasing within the process, so that two totals reached in one millisecond
    // still keep the order in which they were reached.
    std::lock_guard lock(reachedAtMutex_);
    lastReachedAt_ = std::max(nowMilliseconds, lastReachedAt_ + 1);
    return lastReachedAt_;
}

bool PostgresStorage::setTotal(int64_t userId, int64_t points, int64_t nowMilliseconds) {
    const int64_t reachedAt = nextReachedAt(nowMilliseconds);
    return pool_.transaction([&](PgConnection& connection) {
        // An unchanged total updates no row, so it neither moves the player in the tie order nor
        // touches the band counts.
        return connection
                   .execute(
                       "INSERT INTO totals(user_id, points, reached_at) VALUES($1, $2, $3) "
                       "ON CONFLICT(user_id) DO UPDATE SET points = excluded.points, "
                       "reached_at = excluded.reached_at WHERE totals.points <> excluded.points "
                       "RETURNING 1",
                       {pgText(userId), pgText(points), pgText(reachedAt)})
                   .rows() > 0;
    });
}

std::optional<Standing> PostgresStorage::standing(int64_t userId) {
    return pool_.transaction([&](PgConnection& connection) -> std::optional<Standing> {
        PgResult result = connection.execute(std::string("SELECT mine.points, ") + kPositionOfMine +
                                                 " FROM totals AS mine WHERE mine.user_id = $1",
                                             {pgText(userId)});
        if (result.rows() == 0) {
            return std::nullopt;
        }
        return Standing{result.integer(0, 0), result.integer(0, 1)};
    });
}

std::vector<RankingEntry> PostgresStorage::topOfRanking() {
    return pool_.transaction([&](PgConnection& connection) {
        PgResult result = connection.execute(
            "SELECT users.name, totals.points, users.country, totals.user_id FROM totals "
            "JOIN users ON users.id = totals.user_id "
            "ORDER BY totals.points DESC, totals.reached_at, totals.user_id LIMIT $1",
            {pgText(kRankingLength)});
        std::vector<RankingEntry> entries;
        for (int row = 0; row < result.rows(); ++row) {
            entries.push_back({result.text(row, 0), result.integer(row, 1), result.text(row, 2),
                               result.integer(row, 3)});
        }
        return entries;
    });
}

CopyWithPosition PostgresStorage::currentCopy(int64_t userId) {
    // One snapshot for the copy and the position.
    return pool_.transaction(
        [&](PgConnection& connection) {
            CopyWithPosition copy;
            if (std::optional<int64_t> copyId = currentCopyId(connection, userId)) {
                copy.rows = rowsOfCopy(connection, *copyId);
            }
            copy.position = positionOf(connection, userId);
            return copy;
        },
        "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
}

void PostgresStorage::addCopy(int64_t userId, const std::vector<BackupRow>& rows,
                              const std::string& origin, int64_t now) {
    pool_.transaction([&](PgConnection& connection) {
        lockCopiesOf(connection, userId);
        return insertCopy(connection, userId, rows, origin, now);
    });
}

CopyWithPosition PostgresStorage::addMergedCopy(int64_t userId,
                                                const std::vector<BackupRow>& uploaded,
                                                const std::string& origin, int64_t now) {
    return pool_.transaction([&](PgConnection& connection) {
        lockCopiesOf(connection, userId);
        std::vector<BackupRow> stored;
        if (std::optional<int64_t> copyId = currentCopyId(connection, userId)) {
            stored = rowsOfCopy(connection, *copyId);
        }
        CopyWithPosition copy;
        copy.rows = mergeKeepingBest(stored, uploaded);
        insertCopy(connection, userId, copy.rows, origin, now);
        copy.position = positionOf(connection, userId);
        return copy;
    });
}

std::vector<BackupCopyInfo> PostgresStorage::listCopies(int64_t userId) {
    return pool_.transaction([&](PgConnection& connection) {
        PgResult result = connection.execute(
            "SELECT id, created_at, origin, "
            "(SELECT COUNT(*) FROM copy_rows WHERE copy_id = copies.id) "
            "FROM copies WHERE user_id = $1 ORDER BY id DESC",
            {pgText(userId)});
        std::vector<BackupCopyInfo> copies;
        for (int row = 0; row < result.rows(); ++row) {
            copies.push_back({result.integer(row, 0), result.integer(row, 1), result.text(row, 2),
                              result.integer(row, 3)});
        }
        return copies;
    });
}

std::optional<int64_t> PostgresStorage::bringBackCopy(int64_t copyId, int64_t now) {
    return pool_.transaction([&](PgConnection& connection) -> std::optional<int64_t> {
        PgResult owner =
            connection.execute("SELECT user_id FROM copies WHERE id = $1", {pgText(copyId)});
        if (owner.rows() == 0) {
            return std::nullopt;
        }
        const int64_t userId = owner.integer(0, 0);
        lockCopiesOf(connection, userId);
        // The copy may have been trimmed away while the lock was awaited.
        if (connection.execute("SELECT 1 FROM copies WHERE id = $1", {pgText(copyId)}).rows() ==
            0) {
            return std::nullopt;
        }
        return insertCopy(connection, userId, rowsOfCopy(connection, copyId), "operator", now);
    });
}
