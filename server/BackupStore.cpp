// Storage of backup copies in the copies and copy_rows tables.
#include "BackupStore.h"

std::optional<std::vector<BackupRow>> BackupStore::current(int64_t userId) {
    int64_t copyId;
    {
        Query query =
            database_.query("SELECT id FROM copies WHERE user_id = ? ORDER BY id DESC LIMIT 1");
        query.bind(1, userId);
        if (!query.step()) {
            return std::nullopt;
        }
        copyId = query.integer(0);
    }
    return rowsOf(copyId);
}

int64_t BackupStore::add(int64_t userId, const std::vector<BackupRow>& rows,
                         const std::string& origin, int64_t now) {
    database_.query("INSERT INTO copies(user_id, created_at, origin) VALUES(?, ?, ?)")
        .bind(1, userId)
        .bind(2, now)
        .bind(3, origin)
        .run();
    int64_t copyId = database_.lastInsertId();
    for (const BackupRow& row : rows) {
        database_
            .query("INSERT INTO copy_rows(copy_id, id_gun, score, cat_name) VALUES(?, ?, ?, ?)")
            .bind(1, copyId)
            .bind(2, int64_t{row.idGun})
            .bind(3, int64_t{row.score})
            .bind(4, row.category)
            .run();
    }
    // copy_rows go with their copy (ON DELETE CASCADE).
    database_
        .query(
            "DELETE FROM copies WHERE user_id = ? AND id NOT IN "
            "(SELECT id FROM copies WHERE user_id = ? ORDER BY id DESC LIMIT ?)")
        .bind(1, userId)
        .bind(2, userId)
        .bind(3, int64_t{Storage::kCopiesKept})
        .run();
    return copyId;
}

std::vector<BackupCopyInfo> BackupStore::list(int64_t userId) {
    Query query = database_.query(
        "SELECT id, created_at, origin, (SELECT COUNT(*) FROM copy_rows WHERE copy_id = copies.id) "
        "FROM copies WHERE user_id = ? ORDER BY id DESC");
    query.bind(1, userId);
    std::vector<BackupCopyInfo> copies;
    while (query.step()) {
        copies.push_back({query.integer(0), query.integer(1), query.text(2), query.integer(3)});
    }
    return copies;
}

std::optional<int64_t> BackupStore::bringBack(int64_t copyId, int64_t now) {
    int64_t userId;
    {
        Query query = database_.query("SELECT user_id FROM copies WHERE id = ?");
        query.bind(1, copyId);
        if (!query.step()) {
            return std::nullopt;
        }
        userId = query.integer(0);
    }
    return add(userId, rowsOf(copyId), "operator", now);
}

std::vector<BackupRow> BackupStore::rowsOf(int64_t copyId) {
    Query query = database_.query(
        "SELECT id_gun, score, cat_name FROM copy_rows WHERE copy_id = ? ORDER BY id_gun");
    query.bind(1, copyId);
    std::vector<BackupRow> rows;
    while (query.step()) {
        rows.push_back({static_cast<int>(query.integer(0)), static_cast<int>(query.integer(1)),
                        query.text(2)});
    }
    return rows;
}
