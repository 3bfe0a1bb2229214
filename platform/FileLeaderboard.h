// A local stand-in for the platform leaderboard: the local player is always known, and each
// report appends one line "CATEGORY VALUE TIME" (the time in seconds since 1970) to a file.
// Completions come through the run loop, never inside the call, as the real service's do.
#pragma once

#include <string>

#include "platform/Leaderboard.h"

class FileLeaderboard : public Leaderboard {
public:
    explicit FileLeaderboard(std::string path) : path_(std::move(path)) {}

    void authenticateLocalPlayer(std::function<void(const std::string& error)> done) override;
    bool isLocalPlayerAuthenticated() const override { return authenticated_; }
    // Fails when the player is not authenticated or the line cannot be written.
    void reportScore(int64_t value, const std::string& category,
                     std::function<void(const std::string& error)> done) override;

    const std::string& path() const { return path_; }
    // A non-empty text makes every later authentication fail with it.
    void setAuthenticationError(std::string error) { authenticationError_ = std::move(error); }
    // A non-empty text makes every later report fail with it; nothing is written then.
    void setReportError(std::string error) { reportError_ = std::move(error); }

private:
    std::string appendLine(int64_t value, const std::string& category) const;

    std::string path_;
    bool authenticated_ = false;
    std::string authenticationError_;
    std::string reportError_;
};
