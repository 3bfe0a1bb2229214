// Reading and writing accounts.
#include "UserStore.h"

std::optional<User> UserStore::find(const std::string& name) {
    Query query = database_.query(
        "SELECT id, name, password_hash, mail, country, reminder_hash, reminder_expires_at, "
        "session_hash, session_expires_at FROM users WHERE name = ?");
    query.bind(1, name);
    if (!query.step()) {
        return std::nullopt;
    }
    User user;
    user.id = query.integer(0);
    user.name = query.text(1);
    user.passwordHash = query.text(2);
    user.mail = query.text(3);
    user.country = query.text(4);
    if (!query.isNull(5)) {
        user.reminderHash = query.text(5);
        user.reminderExpiresAt = query.integer(6);
    }
    if (!query.isNull(7)) {
        user.sessionHash = query.text(7);
        user.sessionExpiresAt = query.integer(8);
    }
    return user;
}

int64_t UserStore::create(const std::string& name, const std::string& passwordHash,
                          const std::string& mail, const std::string& country, int64_t now) {
    Query query = database_.query(
        "INSERT INTO users(name, password_hash, mail, country, created_at) VALUES(?, ?, ?, ?, ?)");
    query.bind(1, name).bind(2, passwordHash).bind(3, mail).bind(4, country).bind(5, now);
    query.run();
    return database_.lastInsertId();
}

void UserStore::setReminder(int64_t userId, const std::string& reminderHash, int64_t expiresAt) {
    Query query =
        database_.query("UPDATE users SET reminder_hash = ?, reminder_expires_at = ? WHERE id = ?");
    query.bind(1, reminderHash).bind(2, expiresAt).bind(3, userId);
    query.run();
}

void UserStore::dropReminder(int64_t userId) {
    Query query = database_.query(
        "UPDATE users SET reminder_hash = NULL, reminder_expires_at = NULL WHERE id = ?");
    query.bind(1, userId);
    query.run();
}

void UserStore::adoptReminder(int64_t userId, const std::string& reminderHash) {
    Query query = database_.query(
        "UPDATE users SET password_hash = reminder_hash, reminder_hash = NULL, "
        "reminder_expires_at = NULL WHERE id = ? AND reminder_hash = ?");
    query.bind(1, userId).bind(2, reminderHash);
    query.run();
}

void UserStore::setSession(int64_t userId, const std::string& sessionHash, int64_t expiresAt) {
    Query query =
        database_.query("UPDATE users SET session_hash = ?, session_expires_at = ? WHERE id = ?");
    query.bind(1, sessionHash).bind(2, expiresAt).bind(3, userId);
    query.run();
}
