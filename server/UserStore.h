// Accounts in the users table. Works on one connection, which only one thread may use at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Database.h"
#include "Storage.h"

class UserStore {
public:
    explicit UserStore(Database& database) : database_(database) {}

    // Names compare without regard to letter case.
    std::optional<User> find(const std::string& name);
    // The new user's id, or nothing when the name is taken.
    std::optional<int64_t> create(const NewUser& user);
    // Replaces any earlier reminder password.
    void setReminder(int64_t userId, const std::string& reminderHash, int64_t expiresAt);
    // The player logged in with their own password: the reminder password is gone.
    void dropReminder(int64_t userId);
    // The player logged in with the reminder password `reminderHash`: it becomes their own, and
    // the old one is gone. Does nothing when another reminder has replaced it meanwhile.
    void adoptReminder(int64_t userId, const std::string& reminderHash);
    // Replaces the player's session: only the newest token opens it.
    void setSession(int64_t userId, const std::string& sessionHash, int64_t expiresAt);
    // Moves the end of the session `sessionHash`; does nothing once another session replaced it.
    void renewSession(int64_t userId, const std::string& sessionHash, int64_t expiresAt);

private:
    Database& database_;
};
