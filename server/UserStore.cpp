// Reading and writing accounts.
#include "UserStore.h"

std::optional<User> UserStore::find(const std::string& name) {
    Query query =
        database_.query("SELECT id, name, password_hash, mail, country FROM users WHERE name = ?");
    query.bind(1, name);
    if (!query.step()) {
        return std::nullopt;
    }
    return User{query.integer(0), query.text(1), query.text(2), query.text(3), query.text(4)};
}

int64_t UserStore::create(const std::string& name, const std::string& passwordHash,
                          const std::string& mail, const std::string& country, int64_t now) {
    Query query = database_.query(
        "INSERT INTO users(name, password_hash, mail, country, created_at) VALUES(?, ?, ?, ?, ?)");
    query.bind(1, name).bind(2, passwordHash).bind(3, mail).bind(4, country).bind(5, now);
    query.run();
    return database_.lastInsertId();
}

void UserStore::setPasswordHash(int64_t userId, const std::string& passwordHash) {
    Query query = database_.query("UPDATE users SET password_hash = ? WHERE id = ?");
    query.bind(1, passwordHash).bind(2, userId);
    query.run();
}
