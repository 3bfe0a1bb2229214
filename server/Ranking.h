// The global ranking: one total per player who has sent one, ordered by points.
//
// Ties share a position: a player's position is 1 + the number of players with strictly more
// points. In the list, tied players appear in the order in which they reached their total.
// Works on one connection, which only one thread may use at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Database.h"
#include "Storage.h"

// The number of players in the bands of 100 points above each band, as a read connection last
// read them, reused until a write is committed to the file (by any connection or process).
class BandCounts {
public:
    // Players in the bands above the one holding `points`. Call it inside a read transaction on
    // a connection that never writes: SQLite tells such a connection when the file has changed.
    int64_t playersInHigherBands(Database& reader, int64_t points);

private:
    int64_t dataVersion_ = -1;
    std::vector<int64_t> playersAbove_;  // by band
};

class Ranking {
public:
    explicit Ranking(Database& database) : database_(database) {}

    // Stores the player's total; `now` (milliseconds) dates it for tie order when it changed.
    // Dates are made strictly increasing, so two totals sent within one millisecond still keep
    // the order in which they arrived. Returns whether the stored total changed.
    bool setTotal(int64_t userId, int64_t points, int64_t now);
    // Both absent when the player has never sent a total. Given the band counts of this (read)
    // connection, only the player's own band is counted in the file.
    std::optional<int64_t> position(int64_t userId, BandCounts* bands = nullptr) const;
    std::optional<int64_t> total(int64_t userId) const;
    std::vector<RankingEntry> top() const;

private:
    Database& database_;
    int64_t lastReachedAt_ = 0;
};
