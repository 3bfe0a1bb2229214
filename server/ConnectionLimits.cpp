// Connection counts and request token buckets per address.
#include "ConnectionLimits.h"

#include <algorithm>
#include <iterator>

namespace {

// Buckets that have filled up again hold nothing worth keeping; they are dropped once the table
// grows past this, and the next pruning waits until it has doubled.
constexpr size_t kPruneAbove = 4096;

}  // namespace

ConnectionLimits::ConnectionLimits(Settings settings)
    : settings_(settings), nextPruneAt_(kPruneAbove) {}

bool ConnectionLimits::tryOpen(const std::string& address, bool limitPerAddress) {
    std::lock_guard lock(mutex_);
    if (settings_.maxConnections != 0 && open_ >= settings_.maxConnections) {
        return false;
    }
    size_t& fromAddress = openByAddress_[address];
    if (limitPerAddress && settings_.perAddressConnections != 0 &&
        fromAddress >= settings_.perAddressConnections) {
        if (fromAddress == 0) {
            openByAddress_.erase(address);
        }
        return false;
    }
    ++fromAddress;
    ++open_;
    return true;
}

void ConnectionLimits::close(const std::string& address) {
    std::lock_guard lock(mutex_);
    auto found = openByAddress_.find(address);
    if (found == openByAddress_.end()) {
        return;
    }
    --open_;
    if (--found->second == 0) {
        openByAddress_.erase(found);
    }
}

size_t ConnectionLimits::openConnections() {
    std::lock_guard lock(mutex_);
    return open_;
}

bool ConnectionLimits::tryRequest(const std::string& address, Clock::time_point now) {
    if (settings_.perAddressRate <= 0) {
        return true;
    }
    std::lock_guard lock(mutex_);
    pruneBuckets(now);
    auto [found, added] = buckets_.try_emplace(address, Bucket{capacity(), now});
    Bucket& bucket = found->second;
    double elapsed = std::chrono::duration<double>(now - bucket.filledAt).count();
    bucket.tokens = std::min(capacity(), bucket.tokens + elapsed * settings_.perAddressRate);
    bucket.filledAt = now;
    if (bucket.tokens < 1) {
        return false;
    }
    bucket.tokens -= 1;
    return true;
}

void ConnectionLimits::pruneBuckets(Clock::time_point now) {
    if (buckets_.size() < nextPruneAt_) {
        return;
    }
    for (auto entry = buckets_.begin(); entry != buckets_.end();) {
        double elapsed = std::chrono::duration<double>(now - entry->second.filledAt).count();
        bool full = entry->second.tokens + elapsed * settings_.perAddressRate >= capacity();
        entry = full ? buckets_.erase(entry) : std::next(entry);
    }
    nextPruneAt_ = std::max(kPruneAbove, 2 * buckets_.size());
}
