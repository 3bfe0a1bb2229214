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

std::optional<int64_t> UserStore::create(const NewUser& user) {
    Query query = database_.query(
        "INSERT INTO users(name, password_hash, mail, country, created_at, session_hash, "
        "session_expires_at) VALUES(?, ?, ?, ?, ?, ?, ?) ON CONFLICT(name) DO NOTHING");
    query.bind(1, user.name)
        .bind(2, user.passwordHash)
        .bind(3, user.mail)
        .bind(4, user.country)
        .bind(5, user.createdAt)
        .bind(6, user.sessionHash)
        .bind(7, user.sessionExpiresAt);
    query.run();
    if (database_.changes() == 0) {
        return std::nullopt;
    }
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

void UserStore::renewSession(int64_t userId, const std::string& sessionHash, int64_t expiresAt) {
    Query query = database_.query(
        "UPDATE users SET session_expires_at = ? WHERE id = ? AND session_hash = ?");
    query.bind(1, expiresAt).bind(2, userId).bind(3, sessionHash);
    query.run();
}
