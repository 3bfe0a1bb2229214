// The storage calls on the writer's group commit and the read connections.
#include "SqliteStorage.h"

namespace {

std::optional<Standing> standingOn(Database& database, int64_t userId, BandCounts* bands) {
    Ranking ranking(database);
    std::optional<int64_t> total = ranking.total(userId);
    if (!total) {
        return std::nullopt;
    }
    return Standing{*total, ranking.position(userId, bands).value_or(0)};
}

}  // namespace

SqliteStorage::SqliteStorage(const std::filesystem::path& file)
    : writer_(file),
      users_(writer_),
      ranking_(writer_),
      backups_(writer_),
      attempts_(writer_),
      readers_(file),
      checkpoints_(writer_),
      writes_(writer_) {}

template <typename Read>
auto SqliteStorage::inSnapshot(Read read) {
    ReaderPool::Lease reader = readers_.acquire();
    Transaction snapshot(*reader, Transaction::Kind::Read);
    auto result = read(*reader, reader.bands());
    snapshot.commit();
    return result;
}

std::optional<User> SqliteStorage::findUser(const std::string& name) {
    ReaderPool::Lease reader = readers_.acquire();
    return UserStore(*reader).find(name);
}

std::optional<int64_t> SqliteStorage::createUser(const NewUser& user) {
    return writes_.run([&] { return users_.create(user); });
}

void SqliteStorage::logIn(int64_t userId, const std::string& sessionHash, int64_t sessionExpiresAt,
                          ReminderAfterLogIn reminder, const std::string& reminderHash) {
    writes_.run([&] {
        users_.setSession(userId, sessionHash, sessionExpiresAt);
        switch (reminder) {
            case ReminderAfterLogIn::None:
                break;
            case ReminderAfterLogIn::Drop:
                users_.dropReminder(userId);
                break;
            case ReminderAfterLogIn::Adopt:
                users_.adoptReminder(userId, reminderHash);
                break;
        }
    });
}

void SqliteStorage::renewSession(int64_t userId, const std::string& sessionHash,
                                 int64_t expiresAt) {
    writes_.run([&] { users_.renewSession(userId, sessionHash, expiresAt); });
}

void SqliteStorage::setReminder(int64_t userId, const std::string& reminderHash,
                                int64_t expiresAt) {
    writes_.run([&] { users_.setReminder(userId, reminderHash, expiresAt); });
}

bool SqliteStorage::tryTakeAttempt(AttemptKind kind, const std::string& name, int limit,
                                   int64_t windowSeconds, int64_t now) {
    return writes_.run([&] { return attempts_.tryTake(kind, name, limit, windowSeconds, now); });
}

void SqliteStorage::forgetAttempts(AttemptKind kind, const std::string& name) {
    writes_.run([&] { attempts_.forget(kind, name); });
}

bool SqliteStorage::setTotal(int64_t userId, int64_t points, int64_t nowMilliseconds) {
    return writes_.run([&] { return ranking_.setTotal(userId, points, nowMilliseconds); });
}

std::optional<Standing> SqliteStorage::standing(int64_t userId) {
    return inSnapshot(
        [&](Database& reader, BandCounts& bands) { return standingOn(reader, userId, &bands); });
}

std::vector<RankingEntry> SqliteStorage::topOfRanking() {
    ReaderPool::Lease reader = readers_.acquire();
    return Ranking(*reader).top();
}

CopyWithPosition SqliteStorage::currentCopy(int64_t userId) {
    return inSnapshot([&](Database& reader, BandCounts& bands) {
        CopyWithPosition copy;
        copy.rows = BackupStore(reader).current(userId).value_or(std::vector<BackupRow>{});
        copy.position = Ranking(reader).position(userId, &bands);
        return copy;
    });
}

void SqliteStorage::addCopy(int64_t userId, const std::vector<BackupRow>& rows,
                            const std::string& origin, int64_t now) {
    writes_.run([&] { backups_.add(userId, rows, origin, now); });
}

CopyWithPosition SqliteStorage::addMergedCopy(int64_t userId,
                                              const std::vector<BackupRow>& uploaded,
                                              const std::string& origin, int64_t now) {
    return writes_.run([&] {
        CopyWithPosition copy;
        copy.rows =
            mergeKeepingBest(backups_.current(userId).value_or(std::vector<BackupRow>{}), uploaded);
        backups_.add(userId, copy.rows, origin, now);
        copy.position = ranking_.position(userId);
        return copy;
    });
}

std::vector<BackupCopyInfo> SqliteStorage::listCopies(int64_t userId) {
    return inSnapshot(
        [&](Database& reader, BandCounts&) { return BackupStore(reader).list(userId); });
}

std::optional<int64_t> SqliteStorage::bringBackCopy(int64_t copyId, int64_t now) {
    return writes_.run([&] { return backups_.bringBack(copyId, now); });
}
