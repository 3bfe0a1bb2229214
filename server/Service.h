// The nine endpoints of the web service, independent of HTTP: an endpoint name and the decoded
// query values in, a status, content type and body out. Safe to call from many threads.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "Outbox.h"
#include "PasswordHasher.h"
#include "QueryString.h"
#include "RankingCache.h"
#include "Storage.h"

struct ServiceReply {
    int status = 200;
    std::string contentType;
    std::string body;
    // A session token to hand to the client as its cookie; empty when the reply opens none.
    std::string newSession;
};

class Service {
public:
    // Shown as the position when a player has no total in the ranking.
    static constexpr std::string_view kNoPosition = "-";

    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // Everything the service keeps goes to `storage`; reminder mails go to `outbox`. `clock`
    // tells the time of every date the service stores or compares.
    Service(Storage& storage, Outbox& outbox, Clock clock = std::chrono::system_clock::now);

    // `endpoint` is the file name of the request ("join.php"); an unknown one gets 404.
    // `session` is the token of the client's session cookie, empty when it sent none: a player's
    // total and backups are written and read only with the token of their latest log-in.
    ServiceReply handle(std::string_view endpoint, const QueryValues& query,
                        std::string_view session = {});
    // The endpoints that only read, in a moment: they never wait for a write or a hash.
    static bool onlyReads(std::string_view endpoint);

private:
    ServiceReply checkUser(const QueryValues& query, std::string_view session);
    ServiceReply join(const QueryValues& query, std::string_view session);
    ServiceReply loginUser(const QueryValues& query, std::string_view session);
    ServiceReply forgot(const QueryValues& query, std::string_view session);
    ServiceReply sendScore(const QueryValues& query, std::string_view session);
    ServiceReply getScores(const QueryValues& query, std::string_view session);
    ServiceReply createCopy(const QueryValues& query, std::string_view session);
    ServiceReply createFirstLoginCopy(const QueryValues& query, std::string_view session);
    ServiceReply restoreCopy(const QueryValues& query, std::string_view session);

    // True when `session` is the unexpired token of the user's latest log-in or registration.
    bool holdsSession(const User& user, std::string_view session);
    // A held session set or renewed over a day ago is moved to last a full lifetime from now, so
    // that a game that stays logged in (and so never logs in again) keeps it: returns the token
    // to hand back to the client then, for its cookie to last as long, else nothing.
    std::string renewedSession(const User& user, std::string_view session);
    int64_t secondsNow() const;
    int64_t millisecondsNow() const;
    std::shared_ptr<const RankingCache::List> topList();
    // The common part of the two uploads: checks the values and the backup text, then hands
    // the rows and the known user they name to `store`, whose reply is the endpoint's.
    using UploadStore = std::function<ServiceReply(const User& user, std::vector<BackupRow>& rows)>;
    ServiceReply storeUpload(const QueryValues& query, std::string_view session,
                             const UploadStore& store);

    Storage& storage_;
    Outbox& outbox_;
    Clock clock_;
    PasswordHasher hasher_;
    // Kept only while this process is the storage's only writer.
    RankingCache topList_;
};
