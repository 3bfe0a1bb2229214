// Counts recent attempts per key (a user name: log-ins, password reminders) and blocks the key
// once too many fall within a sliding window. An attempt is checked and counted in one step,
// before the work it allows, so requests racing each other cannot pass the limit together. Kept in
// memory: a restart forgets the counts, which only gives a guesser one more window. Thread-safe.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

class AttemptThrottle {
public:
    using Clock = std::chrono::steady_clock;

    AttemptThrottle(size_t limit, Clock::duration window);

    // Counts an attempt and returns true, or returns false without counting when the limit is
    // already reached.
    bool tryTake(const std::string& key, Clock::time_point now);
    // Clears the key's attempts (a log-in that succeeded).
    void forget(const std::string& key);

private:
    void dropExpired(std::deque<Clock::time_point>& times, Clock::time_point now) const;
    void pruneIfLarge(Clock::time_point now);

    size_t limit_;
    Clock::duration window_;
    size_t nextPruneAt_;
    std::mutex mutex_;
    std::unordered_map<std::string, std::deque<Clock::time_point>> attempts_;
};
