// The service's storage in a PostgreSQL database that several service processes share. Each call
// is one transaction on a connection of the pool; reads never wait for writers (each statement
// reads the last commit), and attempt counts and backup copies are serialised by locks that every
// process takes alike.
#pragma once

#include <mutex>

#include "PgPool.h"
#include "Storage.h"

class PostgresStorage : public Storage {
public:
    // Connects and brings the schema up to date; throws PgError when the database cannot be
    // reached or was made by a newer program.
    explicit PostgresStorage(const std::string& url, PgPoolSettings settings = {});

    bool writesOnlyFromThisProcess() const override { return false; }

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
    int64_t nextReachedAt(int64_t nowMilliseconds);

    PgPool pool_;
    std::mutex reachedAtMutex_;
    int64_t lastReachedAt_ = 0;
};
