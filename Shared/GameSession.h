// One run of the game as the command line asks for it: the bundle's directories, the active
// platform (headless on a virtual clock, or the window), the registered screens and the
// application state of the chosen profile, which launch() starts.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "Shared/LaunchOptions.h"

class AppDelegate_All;
class HeadlessServices;
class SdlWindow;

class GameSession {
public:
    explicit GameSession(const LaunchOptions& options);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // The application's launch sequence: from here the intro runs.
    void launch();

    // Runs the scripted session in TEXT (SOURCE names it in messages); true when every step
    // held. Problems are reported on ERRORS.
    bool runScript(const std::string& text, const std::string& source, std::ostream& errors);

    // False when the window could not be opened (the reason is on standard error).
    bool isReady() const;

    // Runs the game until the player closes the window, or, headless, until nothing is left
    // to happen. Returns the exit status.
    int run();

    AppDelegate_All& app() { return *app_; }
    // The window the game shows in; null when headless.
    SdlWindow* sdlWindow() { return window_.get(); }
    // The recording players of a headless run (null in a window).
    HeadlessServices* headlessServices() { return headlessServices_; }

private:
    LaunchOptions options_;
    HeadlessServices* headlessServices_ = nullptr;
    std::unique_ptr<AppDelegate_All> app_;
    std::unique_ptr<SdlWindow> window_;  // none when headless; closed before the screens go
};
