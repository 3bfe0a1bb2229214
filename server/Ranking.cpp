// Ranking queries. The list reads the first 100 entries of the index totals_by_points; a position
// adds up the per-band counts of points_buckets above the player's band and counts the few index
// entries above the player inside that band, so neither reads the whole table.
#include "Ranking.h"

#include <algorithm>

bool Ranking::setTotal(int64_t userId, int64_t points, int64_t now) {
    // The game resends an unchanged total every time its hub appears; such a request changes no
    // row, so it commits nothing and costs no sync.
    Query query = database_.query(
        "INSERT INTO totals(user_id, points, reached_at) VALUES(?, ?, ?) "
        "ON CONFLICT(user_id) DO UPDATE SET points = excluded.points, "
        "reached_at = excluded.reached_at WHERE points != excluded.points");
    lastReachedAt_ = std::max(now, lastReachedAt_ + 1);
    query.bind(1, userId).bind(2, points).bind(3, lastReachedAt_);
    query.run();
    return database_.changes() > 0;
}

int64_t BandCounts::playersInHigherBands(Database& reader, int64_t points) {
    int64_t version;
    {
        Query query = reader.query("PRAGMA data_version");
        query.step();
        version = query.integer(0);
    }
    if (version != dataVersion_) {
        playersAbove_.assign(Storage::kMaxPoints / 100 + 1, 0);
        Query query = reader.query("SELECT bucket, players FROM points_buckets ORDER BY bucket");
        std::vector<int64_t> players(playersAbove_.size(), 0);
        while (query.step()) {
            int64_t band = query.integer(0);
            if (band >= 0 && band < static_cast<int64_t>(players.size())) {
                players[static_cast<size_t>(band)] = query.integer(1);
            }
        }
        for (size_t band = players.size() - 1; band > 0; --band) {
            playersAbove_[band - 1] = playersAbove_[band] + players[band];
        }
        dataVersion_ = version;
    }
    return playersAbove_[static_cast<size_t>(
        std::clamp<int64_t>(points / 100, 0, Storage::kMaxPoints / 100))];
}

std::optional<int64_t> Ranking::position(int64_t userId, BandCounts* bands) const {
    if (bands != nullptr) {
        std::optional<int64_t> stored = total(userId);
        if (!stored) {
            return std::nullopt;
        }
        int64_t points = *stored;
        Query query =
            database_.query("SELECT COUNT(*) FROM totals WHERE points > ? AND points < ?");
        query.bind(1, points).bind(2, (points / 100 + 1) * 100);
        query.step();
        return 1 + bands->playersInHigherBands(database_, points) + query.integer(0);
    }
    // Players ahead = everyone in the higher bands of points_buckets + those above the player
    // within the player's own band (a short range of the points index).
    Query query = database_.query(
        "SELECT 1 + (SELECT COALESCE(SUM(players), 0) FROM points_buckets "
        "            WHERE bucket > mine.points / 100) "
        "         + (SELECT COUNT(*) FROM totals AS ahead WHERE ahead.points > mine.points "
        "            AND ahead.points < (mine.points / 100 + 1) * 100) "
        "FROM totals AS mine WHERE mine.user_id = ?");
    query.bind(1, userId);
    if (!query.step()) {
        return std::nullopt;
    }
    return query.integer(0);
}

std::optional<int64_t> Ranking::total(int64_t userId) const {
    Query query = database_.query("SELECT points FROM totals WHERE user_id = ?");
    query.bind(1, userId);
    if (!query.step()) {
        return std::nullopt;
    }
    return query.integer(0);
}

std::vector<RankingEntry> Ranking::top() const {
    Query query = database_.query(
        "SELECT users.name, totals.points, users.country, totals.user_id FROM totals "
        "JOIN users ON users.id = totals.user_id "
        "ORDER BY totals.points DESC, totals.reached_at, totals.user_id LIMIT ?");
    query.bind(1, int64_t{Storage::kRankingLength});
    std::vector<RankingEntry> entries;
    while (query.step()) {
        entries.push_back({query.text(0), query.integer(1), query.text(2), query.integer(3)});
    }
    return entries;
}
