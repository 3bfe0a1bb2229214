// Counting attempts. The name column compares without regard to ASCII letter case, as the names
// of accounts do.
#include "AttemptCounts.h"

namespace {

const char* kindName(AttemptKind kind) {
    switch (kind) {
        case AttemptKind::LogIn:
            return "log-in";
        case AttemptKind::Reminder:
            return "reminder";
    }
    return "";
}

}  // namespace

bool AttemptCounts::tryTake(AttemptKind kind, const std::string& name, int limit,
                            int64_t windowSeconds, int64_t now) {
    // An attempt made exactly one window ago has just left it.
    const int64_t oldestKept = now - windowSeconds + 1;
    database_.query("DELETE FROM attempts WHERE made_at < ?").bind(1, oldestKept).run();
    int64_t recent;
    {
        Query query = database_.query("SELECT COUNT(*) FROM attempts WHERE kind = ? AND name = ?");
        query.bind(1, kindName(kind)).bind(2, name);
        query.step();
        recent = query.integer(0);
    }
    if (recent >= limit) {
        return false;
    }
    database_.query("INSERT INTO attempts(kind, name, made_at) VALUES(?, ?, ?)")
        .bind(1, kindName(kind))
        .bind(2, name)
        .bind(3, now)
        .run();
    return true;
}

void AttemptCounts::forget(AttemptKind kind, const std::string& name) {
    database_.query("DELETE FROM attempts WHERE kind = ? AND name = ?")
        .bind(1, kindName(kind))
        .bind(2, name)
        .run();
}
