// The command line of the `kalvorn` program.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

struct LaunchOptions {
    enum class Profile { Phone, Tablet };

    Profile profile = Profile::Phone;
    std::string serviceUrl = "http://127.0.0.1:8642/";  // always ends in "/"
    double requestTimeoutSeconds = 30;
    std::string caFile;                      // empty: the system's certificate authorities
    std::string documentsDirectory;          // the user's data directory when not given
    std::string resourcesDirectory;          // beside the program when not given
    std::optional<std::string> deviceModel;  // the profile's usual model when not given
    std::optional<std::string>
        leaderboardFile;  // "leaderboard.txt" in the documents when not given
    bool headless = false;
    std::optional<std::string> scriptPath;
    std::optional<std::string> screenshotDirectory;
    bool showHelp = false;
    // Headless only, not on the command line: tests that script replies keep the recording
    // connections of the headless platform.
    bool recordingConnections = false;
    // Headless only, not on the command line: tests that end movies themselves (or give every
    // movie one length) rather than let each play for the length of its file.
    bool moviesPlayUntilFinished = false;
};

// The options, or a message saying what is wrong with the command line.
std::variant<LaunchOptions, std::string> parseLaunchOptions(const std::vector<std::string>& args);

// The text `--help` prints.
std::string launchOptionsUsage();
