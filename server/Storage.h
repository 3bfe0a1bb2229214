// Where the service keeps its players, sessions, totals, backup copies and attempt counts. Two
// kinds implement it: one SQLite file in the data directory (one service process), and a
// PostgreSQL database that several service processes share. Every call is one transaction of its
// own; a call that writes returns only once what it wrote is durable, and throws when it could not
// be stored (nothing of it is then kept). Every value goes to the database as a bound parameter.
// Safe to call from many threads at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "BackupRows.h"

struct User {
    int64_t id = 0;
    std::string name;  // as registered, whatever case it was looked up with
    std::string passwordHash;
    std::string mail;
    std::string country;
    // A password mailed by a reminder: it works beside the player's own until one of the two is
    // used or it expires (seconds since 1970).
    std::optional<std::string> reminderHash;
    int64_t reminderExpiresAt = 0;
    // The hash of the session token the latest log-in or registration handed out, and when it
    // runs out (seconds since 1970); empty when there is none.
    std::string sessionHash;
    int64_t sessionExpiresAt = 0;
};

struct NewUser {
    std::string name;
    std::string passwordHash;
    std::string mail;
    std::string country;
    int64_t createdAt = 0;  // seconds since 1970
    std::string sessionHash;
    int64_t sessionExpiresAt = 0;
};

// What a successful log-in changes besides opening a new session.
enum class ReminderAfterLogIn {
    None,   // the player holds no reminder password
    Drop,   // logged in with their own password: the reminder password is gone
    Adopt,  // logged in with the reminder password: it becomes their own, the old one is gone
};

struct RankingEntry {
    std::string name;
    int64_t points = 0;
    std::string country;
    int64_t userId = 0;
};

// A ranked player's stored total and position, read together.
struct Standing {
    int64_t total = 0;
    int64_t position = 0;
};

// A backup copy with the player's position, read or written together.
struct CopyWithPosition {
    std::vector<BackupRow> rows;
    std::optional<int64_t> position;  // absent when the player has no total
};

struct BackupCopyInfo {
    int64_t id = 0;
    int64_t createdAt = 0;  // seconds since 1970
    std::string origin;     // the request that made it, or "operator"
    int64_t rowCount = 0;
};

// The kinds of attempt that are counted per user name.
enum class AttemptKind { LogIn, Reminder };

class Storage {
public:
    // The total the game can score at most: every gun at its best.
    static constexpr int64_t kMaxPoints = 29 * 3000;
    static constexpr int kRankingLength = 100;
    // The copies kept per user; older ones are deleted as new ones arrive.
    static constexpr int kCopiesKept = 20;

    virtual ~Storage() = default;

    // True when no other process writes to this storage, so that what this process last read
    // stays true until it writes itself.
    virtual bool writesOnlyFromThisProcess() const = 0;

    // Accounts. Names compare without regard to the case of ASCII letters.
    virtual std::optional<User> findUser(const std::string& name) = 0;
    // The new user's id, or nothing when the name is taken.
    virtual std::optional<int64_t> createUser(const NewUser& user) = 0;
    // Replaces the player's session (only the newest token opens it) and settles the reminder.
    // `reminderHash` is the reminder password that was used, for ReminderAfterLogIn::Adopt: when
    // another reminder has replaced it meanwhile, the passwords are left as they are.
    virtual void logIn(int64_t userId, const std::string& sessionHash, int64_t sessionExpiresAt,
                       ReminderAfterLogIn reminder, const std::string& reminderHash) = 0;
    // Moves the end of the session `sessionHash` to `expiresAt`; does nothing when a newer log-in
    // has replaced that session.
    virtual void renewSession(int64_t userId, const std::string& sessionHash,
                              int64_t expiresAt) = 0;
    // Replaces any earlier reminder password.
    virtual void setReminder(int64_t userId, const std::string& reminderHash,
                             int64_t expiresAt) = 0;

    // Counts an attempt of `kind` for the user name `name` (letter case aside, as accounts) at
    // `now` (seconds) and returns true, or returns false without counting it when `limit`
    // attempts already fall within the last `windowSeconds`. The check and the count are one
    // step: requests racing each other, in any process, are each counted. Attempts older than
    // the window are removed, whatever their name.
    virtual bool tryTakeAttempt(AttemptKind kind, const std::string& name, int limit,
                                int64_t windowSeconds, int64_t now) = 0;
    // Forgets the name's attempts of `kind` (a log-in that succeeded).
    virtual void forgetAttempts(AttemptKind kind, const std::string& name) = 0;

    // The ranking. Ties share a position: 1 + the number of players with strictly more points.
    // In the list, tied players appear in the order in which they reached their total.
    //
    // Stores the player's total; `nowMilliseconds` dates it for tie order when it changed.
    // Returns whether the stored total changed.
    virtual bool setTotal(int64_t userId, int64_t points, int64_t nowMilliseconds) = 0;
    // Nothing when the player has never sent a total.
    virtual std::optional<Standing> standing(int64_t userId) = 0;
    // The first kRankingLength players.
    virtual std::vector<RankingEntry> topOfRanking() = 0;

    // Backup copies. Every upload adds a copy; the newest is the user's current copy and the
    // older ones stay (kCopiesKept of them) so that an operator can bring one back.
    //
    // The current copy (empty when there is none) with the player's position.
    virtual CopyWithPosition currentCopy(int64_t userId) = 0;
    virtual void addCopy(int64_t userId, const std::vector<BackupRow>& rows,
                         const std::string& origin, int64_t now) = 0;
    // Adds, as the newest copy, the current copy with `uploaded` merged in keeping the better
    // score of each gun; returns what was stored with the player's position.
    virtual CopyWithPosition addMergedCopy(int64_t userId, const std::vector<BackupRow>& uploaded,
                                           const std::string& origin, int64_t now) = 0;
    // Newest first.
    virtual std::vector<BackupCopyInfo> listCopies(int64_t userId) = 0;
    // Makes an old copy the user's newest again, as a new copy (so the one it replaces is kept
    // as well). Returns the new copy's id, or nothing when no copy has that id.
    virtual std::optional<int64_t> bringBackCopy(int64_t copyId, int64_t now) = 0;
};
