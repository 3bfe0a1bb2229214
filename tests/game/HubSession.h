// A running program for tests of the game hub and the gun selection: headless platform, the
// build's resources, a fresh documents directory and the application state after launch, with
// a plain screen standing where the main menu would be, so that the hub lies at index 2 of the
// navigation stack as it does in the game.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>

#include "app/AppDelegate_All.h"
#include "app/ScoreDatabase.h"
#include "game/GameInsideController.h"
#include "game/GameMenuController.h"
#include "game/GameScreens.h"
#include "game/PlayController.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/ScreenRegistry.h"
#include "platform/ScriptSession.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessServices.h"
#include "tests/support/HeadlessApp.h"
#include "tests/support/TemporaryDirectory.h"

class HubSession {
public:
    explicit HubSession(DeviceProfile screenProfile = DeviceProfile::phone())
        : profile(screenProfile), services(Platform::installHeadless()) {
        app = launchHeadlessApp(profile, documents);
        app->login = "defaultUser";
        registerGameScreens(registry);
        script = std::make_unique<ScriptSession>(app->window(), app->navigationController(),
                                                 profile, registry);
        navigation().pushViewController(std::make_unique<ViewController>(profile, ""), false);
    }

    NavigationController& navigation() { return app->navigationController(); }
    ViewController* top() { return navigation().topViewController(); }
    std::string suffix() const { return std::string(profile.layoutSuffix()); }

    // Runs script steps; the test fails with the script's message when one does not hold.
    ::testing::AssertionResult run(const std::string& steps) {
        std::ostringstream errors;
        if (script->runText(steps, errors, "test script")) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << errors.str();
    }

    GameMenuController& openHub() {
        EXPECT_TRUE(run("open GameMenuController" + suffix() + "\nwait 0.6\n"));
        return dynamic_cast<GameMenuController&>(*top());
    }
    GameInsideController& openPage(const std::string& category) {
        EXPECT_TRUE(run("open GameInsideController" + suffix() + " " + category + "\nwait 0.6\n"));
        return dynamic_cast<GameInsideController&>(*top());
    }

    void store(int points, const std::string& category, int idGun,
               const std::string& user = "defaultUser") {
        ASSERT_TRUE(ScoreDatabase::insertNewScore(points, user, category, idGun));
    }

    size_t backupRequests() const {
        return static_cast<size_t>(
            std::count_if(services.urlRequests().begin(), services.urlRequests().end(),
                          [](const UrlRequest& request) {
                              return request.url.find("createCopy.php") != std::string::npos;
                          }));
    }
    size_t logged(const std::string& line) const {
        const std::vector<std::string>& lines = Platform::current().logLines();
        return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
    }

    DeviceProfile profile;
    HeadlessServices& services;
    TemporaryDirectory documents;
    std::unique_ptr<AppDelegate_All> app;
    ScreenRegistry registry;
    std::unique_ptr<ScriptSession> script;
};
