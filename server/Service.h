// The nine endpoints of the web service, independent of HTTP: an endpoint name and the decoded
// query values in, a status, content type and body out. Safe to call from many threads.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "AttemptThrottle.h"
#include "BackupStore.h"
#include "Checkpointer.h"
#include "Database.h"
#include "GroupCommit.h"
#include "Outbox.h"
#include "PasswordHasher.h"
#include "QueryString.h"
#include "Ranking.h"
#include "RankingCache.h"
#include "ReaderPool.h"
#include "UserStore.h"

struct ServiceReply {
    int status = 200;
    std::string contentType;
    std::string body;
};

class Service {
public:
    // Shown as the position when a player has no total in the ranking.
    static constexpr std::string_view kNoPosition = "-";

    // Writes go through `database` (the service's only writer while it runs); reads go through
    // read connections of its own on the same file.
    Service(Database& database, Outbox& outbox);

    // `endpoint` is the file name of the request ("join.php"); an unknown one gets 404.
    ServiceReply handle(std::string_view endpoint, const QueryValues& query);
    // The endpoints that only read, in a moment: they never wait for a write or a hash.
    static bool onlyReads(std::string_view endpoint);

private:
    ServiceReply checkUser(const QueryValues& query);
    ServiceReply join(const QueryValues& query);
    ServiceReply loginUser(const QueryValues& query);
    ServiceReply forgot(const QueryValues& query);
    ServiceReply sendScore(const QueryValues& query);
    ServiceReply getScores(const QueryValues& query);
    ServiceReply createCopy(const QueryValues& query);
    ServiceReply createFirstLoginCopy(const QueryValues& query);
    ServiceReply restoreCopy(const QueryValues& query);

    std::optional<User> findUser(const std::string& name);
    std::shared_ptr<const RankingCache::List> topList();
    // The common part of the two uploads: checks the values and the backup text, then, as one
    // write, hands the rows and the known user they name to `store`, whose reply is the
    // endpoint's.
    using UploadStore = std::function<ServiceReply(const User& user, std::vector<BackupRow>& rows)>;
    ServiceReply storeUpload(const QueryValues& query, const UploadStore& store);

    Outbox& outbox_;
    PasswordHasher hasher_;
    // On the writing connection, used only inside writes_.
    UserStore users_;
    Ranking ranking_;
    BackupStore backups_;
    ReaderPool readers_;
    RankingCache topList_;
    // Log-ins count as attempts until one succeeds.
    AttemptThrottle loginAttempts_;
    AttemptThrottle passwordReminders_;
    Checkpointer checkpoints_;  // before writes_, so that it outlives every commit
    GroupCommit writes_;
};
