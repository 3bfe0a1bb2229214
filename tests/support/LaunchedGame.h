// A game session on the headless platform with a fresh documents directory and the build's
// resources, for tests that drive the program with script steps as a player would. Given a
// service URL it talks to that service; otherwise its connections record and play canned replies.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Shared/GameSession.h"
#include "platform/headless/HeadlessServices.h"
#include "tests/support/TemporaryDirectory.h"

class LaunchedGame {
public:
    explicit LaunchedGame(LaunchOptions::Profile profile = LaunchOptions::Profile::Phone,
                          std::optional<std::string> deviceModel = std::nullopt,
                          std::string resourcesDirectory = KALVORN_TEST_RESOURCES_DIR,
                          std::optional<std::string> serviceUrl = std::nullopt)
        : session_(optionsFor(profile, std::move(deviceModel), std::move(resourcesDirectory),
                              std::move(serviceUrl), documents_)) {}

    // Starts the program; set up the headless services before, as a test needs.
    void launch() { session_.launch(); }

    // Runs script steps; on failure the test fails with the script's own message.
    ::testing::AssertionResult run(const std::string& steps) {
        std::ostringstream errors;
        if (session_.runScript(steps, "test script", errors)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << errors.str();
    }

    GameSession& session() { return session_; }
    AppDelegate_All& app() { return session_.app(); }
    HeadlessServices& services() { return *session_.headlessServices(); }
    const TemporaryDirectory& documents() const { return documents_; }

private:
    static LaunchOptions optionsFor(LaunchOptions::Profile profile,
                                    std::optional<std::string> deviceModel,
                                    std::string resourcesDirectory,
                                    std::optional<std::string> serviceUrl,
                                    const TemporaryDirectory& documents) {
        LaunchOptions options;
        options.profile = profile;
        options.headless = true;
        options.deviceModel = std::move(deviceModel);
        options.documentsDirectory = documents.path().string();
        options.resourcesDirectory = std::move(resourcesDirectory);
        // Without a service the test scripts the replies itself.
        options.recordingConnections = !serviceUrl;
        // Tests choose how long movies play.
        options.moviesPlayUntilFinished = true;
        options.serviceUrl = serviceUrl.value_or(options.serviceUrl);
        return options;
    }

    TemporaryDirectory documents_;
    GameSession session_;
};
