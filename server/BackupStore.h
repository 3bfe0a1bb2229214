// Backup copies of each user's results. Every upload adds a copy; the newest is the user's
// current copy and the older ones stay, so that an operator can bring back a copy that someone
// overwrote by naming the user in a request. Works on one connection, which only one thread may
// use at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "BackupRows.h"
#include "Database.h"
#include "Storage.h"

class BackupStore {
public:
    explicit BackupStore(Database& database) : database_(database) {}

    // The rows of the user's newest copy, or nothing when the user has no copy.
    std::optional<std::vector<BackupRow>> current(int64_t userId);
    // Adds a copy as the user's newest and drops those beyond Storage::kCopiesKept. Run it inside a
    // transaction so that a copy is stored whole or not at all.
    int64_t add(int64_t userId, const std::vector<BackupRow>& rows, const std::string& origin,
                int64_t now);

    // Newest first.
    std::vector<BackupCopyInfo> list(int64_t userId);
    // Makes an old copy the user's newest again, as a new copy (so the one it replaces is kept
    // as well). Returns the new copy's id, or nothing when no copy has that id. Run it inside a
    // transaction, as add().
    std::optional<int64_t> bringBack(int64_t copyId, int64_t now);

private:
    std::vector<BackupRow> rowsOf(int64_t copyId);

    Database& database_;
};
