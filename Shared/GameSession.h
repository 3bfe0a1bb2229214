// One run of the game as the command line asks for it: the bundle's directories, the active
// platform (headless on a virtual clock, or the window), the registered screens and the
// application state of the chosen profile, launched.
#pragma once

#include <memory>
#include <string>

#include "Shared/LaunchOptions.h"

class AppDelegate_All;

class GameSession {
public:
    explicit GameSession(const LaunchOptions& options);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Runs the scripted session in TEXT (SOURCE names it in messages); true when every step
    // held. Problems are reported on standard error.
    bool runScript(const std::string& text, const std::string& source);

    // Runs the game until the player closes the window, or, headless, until nothing is left
    // to happen. Returns the exit status.
    int run();

    AppDelegate_All& app() { return *app_; }

private:
    LaunchOptions options_;
    std::unique_ptr<AppDelegate_All> app_;
};
