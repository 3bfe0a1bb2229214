// The top of the ranking as last read, with the text the service replies with, kept until a
// stored total could change it. A total below the last listed one, of a player not listed, leaves
// the list as it is; any other change makes the next reader build it anew.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Storage.h"

class RankingCache {
public:
    struct List {
        std::vector<RankingEntry> entries;
        std::string text;
    };
    using Build = std::function<List()>;

    // The kept list, or the one `build` reads when none is kept.
    std::shared_ptr<const List> list(const Build& build);
    // Call after a changed total is committed and before that is acknowledged.
    void totalChanged(int64_t userId, int64_t points);

private:
    std::mutex mutex_;
    std::shared_ptr<const List> kept_;
    // Counts the lists thrown away, so that one read before a change is never kept after it.
    uint64_t changes_ = 0;
};
