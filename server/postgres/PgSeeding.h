// Fills a PostgreSQL database with many players at once, for the benchmark: one transaction of
// COPYs, with the band counts of the ranking made once at the end instead of row by row.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct SeededPlayer {
    std::string name;
    std::string passwordHash;
    std::string mail;
    std::string country;
    std::string sessionHash;
    int64_t sessionExpiresAt = 0;
    int64_t points = 0;
    int64_t reachedAt = 0;
};

// Adds `count` players, the i-th (from 1) as `player(i)` makes it, each with a total. Throws
// PgError when the database cannot take them (nothing is then added), for one when a name is
// taken already.
void seedPostgres(const std::string& url, int64_t count,
                  const std::function<SeededPlayer(int64_t)>& player);
