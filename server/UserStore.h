// Accounts in the users table. Callers hold the database mutex around every call.
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
};

class UserStore {
public:
    explicit UserStore(Database& database) : database_(database) {}

    // Names compare without regard to letter case.
    std::optional<User> find(const std::string& name);
    // Throws DatabaseError with isConstraintViolation() when the name is taken.
    int64_t create(const std::string& name, const std::string& passwordHash,
                   const std::string& mail, const std::string& country, int64_t now);
    void setPasswordHash(int64_t userId, const std::string& passwordHash);

private:
    Database& database_;
};
