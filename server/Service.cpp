// The endpoints. Each one checks its values first, does the slow work (password hashing) before
// touching the storage, and answers only once what it changed is durable.
#include "Service.h"

#include <sodium.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <iostream>
#include <optional>

#include "AccountRules.h"
#include "Countries.h"
#include "QvJSON.h"
#include "SessionCookie.h"

namespace {

// No value of any endpoint needs more (names have 20 characters, e-mail addresses 254).
constexpr size_t kMaxValueLength = 256;

// Log-ins count as attempts until one succeeds.
constexpr int kLoginAttemptsAllowed = 5;
constexpr int64_t kLoginFailureWindow = 15 * 60;  // seconds
constexpr int kRemindersAllowed = 3;
constexpr int64_t kReminderWindow = 60 * 60;         // seconds
constexpr int64_t kReminderLifetime = 24 * 60 * 60;  // seconds
// A session is renewed at most once in this time, so renewals cost at most one write per player
// per day.
constexpr int64_t kSessionRenewalInterval = 24 * 60 * 60;  // seconds

constexpr const char* kUnknownUser = "Unknown user.";
constexpr const char* kServiceTrouble = "The service is not available right now.";

const std::string* firstValue(const QueryValues& query, const std::string& key) {
    auto found = query.find(key);
    return found == query.end() ? nullptr : &found->second;
}

// A message when a value is missing, too long or not UTF-8 text, nothing when all are present and
// acceptable.
std::optional<std::string> valuesProblem(const QueryValues& query,
                                         std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        const std::string* value = firstValue(query, key);
        if (value == nullptr) {
            return std::string("Missing value: ") + key + ".";
        }
        size_t limit = std::string_view(key) == "json" ? kMaxBackupTextLength : kMaxValueLength;
        if (value->size() > limit) {
            return std::string("Value too long: ") + key + ".";
        }
        if (!isValidUtf8(*value)) {
            return std::string("Invalid value: ") + key + ".";
        }
    }
    return std::nullopt;
}

const std::string& valueOf(const QueryValues& query, const std::string& key) {
    return *firstValue(query, key);
}

ServiceReply jsonReply(const QvJsonValue& value, int status = 200) {
    std::optional<std::string> text = JSONRepresentation(value);
    if (!text) {
        return {500, "application/json", "[0]", {}};
    }
    return {status, "application/json", std::move(*text), {}};
}

ServiceReply success() {
    return jsonReply(QvJsonArray{QvJsonValue::fromInteger(1)});
}

ServiceReply failure(const std::string& message, int status = 200) {
    return jsonReply(QvJsonArray{QvJsonValue::fromInteger(0), QvJsonValue::fromString(message)},
                     status);
}

ServiceReply plainText(std::string text, int status = 200) {
    return {status, "text/plain; charset=utf-8", std::move(text), {}};
}

// A total as the game sends it: decimal digits only, within what the game can score.
std::optional<int64_t> parseTotal(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int64_t total = std::stoll(text);
    if (total > Storage::kMaxPoints) {
        return std::nullopt;
    }
    return total;
}

// Twelve characters from an alphabet without look-alikes (no 0/O, 1/l/I).
std::string randomPassword() {
    constexpr std::string_view kAlphabet =
        "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    std::string password;
    for (int i = 0; i < 12; ++i) {
        password += kAlphabet[randombytes_uniform(static_cast<uint32_t>(kAlphabet.size()))];
    }
    return password;
}

std::string positionText(std::optional<int64_t> position) {
    return position ? std::to_string(*position) : std::string(Service::kNoPosition);
}

std::string positionText(const std::optional<Standing>& standing) {
    return positionText(standing ? std::optional(standing->position) : std::nullopt);
}

ServiceReply restoreReply(const CopyWithPosition& copy) {
    return jsonReply(
        QvJsonArray{rowsToJson(copy.rows), QvJsonValue::fromString(positionText(copy.position))});
}

// The ranking part of a getScores reply: [["name","points","country"], ...].
RankingCache::List rankingList(std::vector<RankingEntry> entries) {
    QvJsonArray rows;
    for (const RankingEntry& entry : entries) {
        rows.push_back(QvJsonArray{QvJsonValue::fromString(entry.name),
                                   QvJsonValue::fromString(std::to_string(entry.points)),
                                   QvJsonValue::fromString(entry.country)});
    }
    std::optional<std::string> text = JSONRepresentation(QvJsonValue(std::move(rows)));
    if (!text) {
        throw std::runtime_error("the ranking list cannot be written as JSON");
    }
    return {std::move(entries), std::move(*text)};
}

}  // namespace

Service::Service(Storage& storage, Outbox& outbox, Clock clock)
    : storage_(storage), outbox_(outbox), clock_(std::move(clock)) {}

ServiceReply Service::handle(std::string_view endpoint, const QueryValues& query,
                             std::string_view session) {
    using Handler = ServiceReply (Service::*)(const QueryValues&, std::string_view);
    static constexpr std::pair<std::string_view, Handler> kEndpoints[] = {
        {"checkUser.php", &Service::checkUser},
        {"join.php", &Service::join},
        {"loginUser.php", &Service::loginUser},
        {"forgot.php", &Service::forgot},
        {"sendScore.php", &Service::sendScore},
        {"getScores.php", &Service::getScores},
        {"createCopy.php", &Service::createCopy},
        {"createFirstLoginCopy.php", &Service::createFirstLoginCopy},
        {"restoreCopy.php", &Service::restoreCopy},
    };
    for (const auto& [name, handler] : kEndpoints) {
        if (name != endpoint) {
            continue;
        }
        try {
            return (this->*handler)(query, session);
        } catch (const std::exception& error) {
            std::cerr << "error in " << name << ": " << error.what() << "\n";
            if (name == "sendScore.php") {
                return plainText("0", 500);
            }
            return failure(kServiceTrouble, 500);
        }
    }
    return plainText("Not found\n", 404);
}

bool Service::onlyReads(std::string_view endpoint) {
    return endpoint == "getScores.php" || endpoint == "restoreCopy.php" ||
           endpoint == "checkUser.php";
}

ServiceReply Service::checkUser(const QueryValues& query, std::string_view) {
    if (auto problem = valuesProblem(query, {"username", "password"})) {
        return failure(*problem);
    }
    const std::string& name = valueOf(query, "username");
    if (auto problem = userNameProblem(name)) {
        return failure(*problem);
    }
    if (auto problem = passwordProblem(valueOf(query, "password"))) {
        return failure(*problem);
    }
    if (storage_.findUser(name)) {
        return failure("This user name is taken.");
    }
    return success();
}

ServiceReply Service::join(const QueryValues& query, std::string_view) {
    if (auto problem = valuesProblem(query, {"username", "password", "mail", "country"})) {
        return failure(*problem);
    }
    const std::string& name = valueOf(query, "username");
    const std::string& password = valueOf(query, "password");
    const std::string& mail = valueOf(query, "mail");
    const std::string& country = valueOf(query, "country");
    for (auto problem : {userNameProblem(name), passwordProblem(password), mailProblem(mail)}) {
        if (problem) {
            return failure(*problem);
        }
    }
    if (!isKnownCountry(country)) {
        return failure("Choose a country from the list.");
    }
    // Refuse a taken name before spending a hash on it; the insert below still decides.
    if (storage_.findUser(name)) {
        return failure("This user name is taken.");
    }
    std::string token = newSessionToken();
    const int64_t now = secondsNow();
    NewUser user{name,
                 hasher_.hash(password),
                 mail,
                 country,
                 now,
                 sessionTokenHash(token),
                 now + kSessionLifetimeSeconds};
    if (!storage_.createUser(user)) {
        return failure("This user name is taken.");
    }
    ServiceReply reply = success();
    reply.newSession = std::move(token);
    return reply;
}

ServiceReply Service::loginUser(const QueryValues& query, std::string_view) {
    if (auto problem = valuesProblem(query, {"username", "password"})) {
        return failure(*problem);
    }
    const std::string& name = valueOf(query, "username");
    const std::string& password = valueOf(query, "password");
    if (!storage_.tryTakeAttempt(AttemptKind::LogIn, name, kLoginAttemptsAllowed,
                                 kLoginFailureWindow, secondsNow())) {
        return failure("Too many failed log-ins. Try again in 15 minutes.");
    }
    std::optional<User> user = storage_.findUser(name);
    bool accepted = false;
    bool byReminder = false;
    if (user) {
        accepted = hasher_.verify(user->passwordHash, password);
        if (!accepted && user->reminderHash && user->reminderExpiresAt > secondsNow()) {
            accepted = byReminder = hasher_.verify(*user->reminderHash, password);
        }
    } else {
        hasher_.verifyNothing(password);
    }
    if (!accepted) {
        return failure("Wrong user name or password.");
    }
    storage_.forgetAttempts(AttemptKind::LogIn, name);
    // Each log-in replaces the session, so a token handed out earlier opens nothing any more.
    // Whichever of the two passwords was used stays; the other is gone.
    std::string token = newSessionToken();
    ReminderAfterLogIn reminder = !user->reminderHash ? ReminderAfterLogIn::None
                                  : byReminder        ? ReminderAfterLogIn::Adopt
                                                      : ReminderAfterLogIn::Drop;
    storage_.logIn(user->id, sessionTokenHash(token), secondsNow() + kSessionLifetimeSeconds,
                   reminder, user->reminderHash.value_or(std::string()));
    ServiceReply reply = success();
    reply.newSession = std::move(token);
    return reply;
}

ServiceReply Service::forgot(const QueryValues& query, std::string_view) {
    if (auto problem = valuesProblem(query, {"username"})) {
        return failure(*problem);
    }
    const std::string& name = valueOf(query, "username");
    std::optional<User> user = storage_.findUser(name);
    if (!user) {
        return failure("Unknown user name.");
    }
    if (!storage_.tryTakeAttempt(AttemptKind::Reminder, name, kRemindersAllowed, kReminderWindow,
                                 secondsNow())) {
        return failure("A new password was sent a short while ago. Please check your e-mail.");
    }
    std::string password = randomPassword();
    std::string hash = hasher_.hash(password);
    MailMessage message{user->mail, "Your new Kalvorn password",
                        "Hello " + user->name + ",\n\nyour new Kalvorn password is: " + password +
                            "\n\nLog in with it in the game's settings panel.\n"};
    // The message is on disk before the password it announces is stored, and appears in the
    // outbox only after that, so the player never gets a password that does not work. The old
    // password keeps working, so a reminder someone else asked for locks no one out.
    Outbox::Draft draft = outbox_.prepare(message, user->name);
    storage_.setReminder(user->id, hash, secondsNow() + kReminderLifetime);
    draft.deliver();
    return success();
}

ServiceReply Service::sendScore(const QueryValues& query, std::string_view session) {
    if (valuesProblem(query, {"username", "score"})) {
        return plainText("0", 400);
    }
    std::optional<int64_t> total = parseTotal(valueOf(query, "score"));
    if (!total) {
        return plainText("0", 400);
    }
    std::optional<User> user = storage_.findUser(valueOf(query, "username"));
    if (!user || !holdsSession(*user, session)) {
        return plainText("0", 404);
    }
    std::string renewed = renewedSession(*user, session);
    // What the storage reads is durable: a total the game sends again unchanged (it does every
    // time its hub appears) is answered without a write.
    std::optional<Standing> standing = storage_.standing(user->id);
    if (!standing || standing->total != *total) {
        if (storage_.setTotal(user->id, *total, millisecondsNow())) {
            topList_.totalChanged(user->id, *total);
        }
        // Read once the total is durable, so the write holds only the write.
        standing = storage_.standing(user->id);
    }
    ServiceReply reply = plainText(positionText(standing));
    reply.newSession = std::move(renewed);
    return reply;
}

ServiceReply Service::getScores(const QueryValues& query, std::string_view) {
    if (auto problem = valuesProblem(query, {"username"})) {
        return failure(*problem);
    }
    std::shared_ptr<const RankingCache::List> list = topList();
    std::string position(kNoPosition);
    if (std::optional<User> user = storage_.findUser(valueOf(query, "username"))) {
        position = positionText(storage_.standing(user->id));
    }
    // The list's text is kept: only the player's position (digits or the dash, nothing to
    // escape) is written per request.
    return {200, "application/json", "[" + list->text + ",\"" + position + "\"]", {}};
}

ServiceReply Service::storeUpload(const QueryValues& query, std::string_view session,
                                  const UploadStore& store) {
    if (auto problem = valuesProblem(query, {"json", "username"})) {
        return failure(*problem);
    }
    std::optional<std::vector<BackupRow>> rows = parseBackupText(valueOf(query, "json"));
    if (!rows) {
        return failure("The backup is not valid.");
    }
    std::optional<User> user = storage_.findUser(valueOf(query, "username"));
    if (!user || !holdsSession(*user, session)) {
        return failure(kUnknownUser);
    }
    std::string renewed = renewedSession(*user, session);
    ServiceReply reply = store(*user, *rows);
    reply.newSession = std::move(renewed);
    return reply;
}

ServiceReply Service::createCopy(const QueryValues& query, std::string_view session) {
    return storeUpload(query, session, [this](const User& user, std::vector<BackupRow>& rows) {
        storage_.addCopy(user.id, rows, "createCopy", secondsNow());
        return success();
    });
}

ServiceReply Service::createFirstLoginCopy(const QueryValues& query, std::string_view session) {
    return storeUpload(query, session, [this](const User& user, std::vector<BackupRow>& uploaded) {
        return restoreReply(
            storage_.addMergedCopy(user.id, uploaded, "createFirstLoginCopy", secondsNow()));
    });
}

ServiceReply Service::restoreCopy(const QueryValues& query, std::string_view session) {
    if (auto problem = valuesProblem(query, {"username"})) {
        return failure(*problem);
    }
    std::optional<User> user = storage_.findUser(valueOf(query, "username"));
    if (!user || !holdsSession(*user, session)) {
        return failure(kUnknownUser);
    }
    // Only reads, as promised to the front: the session is renewed by the writing endpoints,
    // which the game calls every time its hub appears.
    return restoreReply(storage_.currentCopy(user->id));
}

std::shared_ptr<const RankingCache::List> Service::topList() {
    auto read = [this] { return rankingList(storage_.topOfRanking()); };
    // Another process may change the ranking without this one knowing: then read it each time.
    if (!storage_.writesOnlyFromThisProcess()) {
        return std::make_shared<const RankingCache::List>(read());
    }
    return topList_.list(read);
}

bool Service::holdsSession(const User& user, std::string_view session) {
    return !session.empty() && user.sessionExpiresAt > secondsNow() &&
           sameSessionHash(user.sessionHash, sessionTokenHash(session));
}

std::string Service::renewedSession(const User& user, std::string_view session) {
    const int64_t freshExpiry = secondsNow() + kSessionLifetimeSeconds;
    if (user.sessionExpiresAt >= freshExpiry - kSessionRenewalInterval) {
        return {};
    }
    // A log-in that replaced the session meanwhile keeps its own: the storage renews only the
    // session it is given.
    storage_.renewSession(user.id, user.sessionHash, freshExpiry);
    return std::string(session);
}

int64_t Service::secondsNow() const {
    return std::chrono::duration_cast<std::chrono::seconds>(clock_().time_since_epoch()).count();
}

int64_t Service::millisecondsNow() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock_().time_since_epoch())
        .count();
}
