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

std::optional<int64_t> Ranking::position(int64_t userId) const {
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

std::vector<RankingEntry> Ranking::top() const {
    Query query = database_.query(
        "SELECT users.name, totals.points, users.country, totals.user_id FROM totals "
        "JOIN users ON users.id = totals.user_id "
        "ORDER BY totals.points DESC, totals.reached_at, totals.user_id LIMIT ?");
    query.bind(1, int64_t{kListLength});
    std::vector<RankingEntry> entries;
    while (query.step()) {
        entries.push_back({query.text(0), query.integer(1), query.text(2), query.integer(3)});
    }
    return entries;
}
