// The platform leaderboard: authenticate the local player, then report scores under a category.
// Completion handlers are called through the run loop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class Leaderboard {
public:
    virtual ~Leaderboard() = default;

    // `done` receives an error text, empty on success.
    virtual void authenticateLocalPlayer(std::function<void(const std::string& error)> done) = 0;
    virtual bool isLocalPlayerAuthenticated() const = 0;
    virtual void reportScore(int64_t value, const std::string& category,
                             std::function<void(const std::string& error)> done) = 0;
};
