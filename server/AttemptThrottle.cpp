// Sliding-window attempt counting.
#include "AttemptThrottle.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

// Once the table holds this many keys, keys whose attempts have all expired are dropped, and the
// next pruning waits until the table has doubled, so pruning costs O(1) per attempt on average.
// Past the hard cap the table starts afresh, so a flood of invented names cannot exhaust memory.
constexpr size_t kPruneAbove = 10'000;
constexpr size_t kHardCap = 200'000;

// User names are unique regardless of letter case, so their attempts are counted that way too.
std::string normalised(const std::string& key) {
    std::string lower = key;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

}  // namespace

AttemptThrottle::AttemptThrottle(size_t limit, Clock::duration window)
    : limit_(limit), window_(window), nextPruneAt_(kPruneAbove) {}

bool AttemptThrottle::tryTake(const std::string& key, Clock::time_point now) {
    std::lock_guard lock(mutex_);
    pruneIfLarge(now);
    auto& times = attempts_[normalised(key)];
    dropExpired(times, now);
    if (times.size() >= limit_) {
        return false;
    }
    times.push_back(now);
    return true;
}

void AttemptThrottle::forget(const std::string& key) {
    std::lock_guard lock(mutex_);
    attempts_.erase(normalised(key));
}

void AttemptThrottle::dropExpired(std::deque<Clock::time_point>& times,
                                  Clock::time_point now) const {
    while (!times.empty() && now - times.front() >= window_) {
        times.pop_front();
    }
}

void AttemptThrottle::pruneIfLarge(Clock::time_point now) {
    if (attempts_.size() < nextPruneAt_) {
        return;
    }
    for (auto entry = attempts_.begin(); entry != attempts_.end();) {
        dropExpired(entry->second, now);
        entry = entry->second.empty() ? attempts_.erase(entry) : std::next(entry);
    }
    if (attempts_.size() >= kHardCap) {
        attempts_.clear();
    }
    nextPruneAt_ = std::max(kPruneAbove, 2 * attempts_.size());
}
