// Keeping and dropping the ranking list.
#include "RankingCache.h"

#include <algorithm>

namespace {

bool mayChange(const RankingCache::List& list, int64_t userId, int64_t points) {
    const std::vector<RankingEntry>& entries = list.entries;
    if (entries.size() < static_cast<size_t>(Storage::kRankingLength)) {
        return true;
    }
    // A player newly tied with the last listed one reached it later and comes after.
    return points >= entries.back().points ||
           std::any_of(entries.begin(), entries.end(),
                       [&](const RankingEntry& entry) { return entry.userId == userId; });
}

}  // namespace

std::shared_ptr<const RankingCache::List> RankingCache::list(const Build& build) {
    uint64_t changesBefore;
    {
        std::lock_guard lock(mutex_);
        if (kept_) {
            return kept_;
        }
        changesBefore = changes_;
    }
    auto built = std::make_shared<const List>(build());
    std::lock_guard lock(mutex_);
    if (changes_ == changesBefore && !kept_) {
        kept_ = built;
    }
    return built;
}

void RankingCache::totalChanged(int64_t userId, int64_t points) {
    std::lock_guard lock(mutex_);
    if (kept_ && !mayChange(*kept_, userId, points)) {
        return;
    }
    kept_.reset();
    ++changes_;
}
