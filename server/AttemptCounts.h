// Log-in and reminder attempts per user name in the attempts table, counted over a sliding
// window. Works on one connection, which only one thread may use at a time; run each call inside
// a write transaction, so that the check and the count of an attempt are one step.
#pragma once

#include <cstdint>
#include <string>

#include "Database.h"
#include "Storage.h"

class AttemptCounts {
public:
    explicit AttemptCounts(Database& database) : database_(database) {}

    // As Storage::tryTakeAttempt.
    bool tryTake(AttemptKind kind, const std::string& name, int limit, int64_t windowSeconds,
                 int64_t now);
    void forget(AttemptKind kind, const std::string& name);

private:
    Database& database_;
};
