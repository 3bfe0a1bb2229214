// Accounts in the users table. Works on one connection, which only one thread may use at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Database.h"

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
};

class UserStore {
public:
    explicit UserStore(Database& database) : database_(database) {}

    // Names compare without regard to letter case.
    std::optional<User> find(const std::string& name);
    // Throws DatabaseError with isConstraintViolation() when the name is taken.
    int64_t create(const std::string& name, const std::string& passwordHash,
                   const std::string& mail, const std::string& country, int64_t now);
    // Replaces any earlier reminder password.
    void setReminder(int64_t userId, const std::string& reminderHash, int64_t expiresAt);
    // The player logged in with their own password: the reminder password is gone.
    void dropReminder(int64_t userId);
    // The player logged in with the reminder password `reminderHash`: it becomes their own, and
    // the old one is gone. Does nothing when another reminder has replaced it meanwhile.
    void adoptReminder(int64_t userId, const std::string& reminderHash);

private:
    Database& database_;
};
