// The service's storage in one SQLite file, for a single service process. Writes go through the
// group commit on the one writing connection: each call is a savepoint in a transaction it may
// share with the calls that arrived beside it, and returns once that transaction is synced. Reads
// go through read connections of their own (WAL), so they never wait for a sync.
#pragma once

#include <filesystem>

#include "AttemptCounts.h"
#include "BackupStore.h"
#include "Checkpointer.h"
#include "Database.h"
#include "GroupCommit.h"
#include "Ranking.h"
#include "ReaderPool.h"
#include "Storage.h"
#include "UserStore.h"

class SqliteStorage : public Storage {
public:
    // Creates the file when needed and brings its schema up to date.
    explicit SqliteStorage(const std::filesystem::path& file);

    bool writesOnlyFromThisProcess() const override { return true; }

    std::optional<User> findUser(const std::string& name) override;
    std::optional<int64_t> createUser(const NewUser& user) override;
    void logIn(int64_t userId, const std::string& sessionHash, int64_t sessionExpiresAt,
               ReminderAfterLogIn reminder, const std::string& reminderHash) override;
    void renewSession(int64_t userId, const std::string& sessionHash, int64_t expiresAt) override;
    void setReminder(int64_t userId, const std::string& reminderHash, int64_t expiresAt) override;

    bool tryTakeAttempt(AttemptKind kind, const std::string& name, int limit, int64_t windowSeconds,
                        int64_t now) override;
    void forgetAttempts(AttemptKind kind, const std::string& name) override;

    bool setTotal(int64_t userId, int64_t points, int64_t nowMilliseconds) override;
    std::optional<Standing> standing(int64_t userId) override;
    std::vector<RankingEntry> topOfRanking() override;

    CopyWithPosition currentCopy(int64_t userId) override;
    void addCopy(int64_t userId, const std::vector<BackupRow>& rows, const std::string& origin,
                 int64_t now) override;
    CopyWithPosition addMergedCopy(int64_t userId, const std::vector<BackupRow>& uploaded,
                                   const std::string& origin, int64_t now) override;
    std::vector<BackupCopyInfo> listCopies(int64_t userId) override;
    std::optional<int64_t> bringBackCopy(int64_t copyId, int64_t now) override;

private:
    // Runs `read` on a read connection inside one read transaction, so that all it reads comes
    // from one and the same commit.
    template <typename Read>
    auto inSnapshot(Read read);

    Database writer_;
    // On the writing connection, used only inside writes_.
    UserStore users_;
    Ranking ranking_;
    BackupStore backups_;
    AttemptCounts attempts_;
    ReaderPool readers_;
    Checkpointer checkpoints_;  // before writes_, so that it outlives every commit
    GroupCommit writes_;
};
