// A running program for the range's tests: headless platform, the build's resources, a fresh
// documents directory, the application state after launch and a scripted session on its
// window, through which the tests tap, hold and wait as a player would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppDelegate_All.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/ScreenRegistry.h"
#include "platform/ScriptSession.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessServices.h"
#include "range/RangeScreens.h"
#include "tests/support/HeadlessApp.h"
#include "tests/support/TemporaryDirectory.h"

class RangeSession {
public:
    explicit RangeSession(DeviceProfile profile = DeviceProfile::phone())
        : services(Platform::installHeadless()),
          app(launchHeadlessApp(profile, documents)),
          profile_(profile) {
        // The intro ends now, so that it cannot push the main menu over a screen under test.
        app->navigationController().topViewController()->view();
        services.finishPlayingMovies();
        RunLoop::main().runFor(0.1);
        registerRangeScreens(registry);
        script = std::make_unique<ScriptSession>(app->window(), app->navigationController(),
                                                 profile, registry);
    }

    const DeviceProfile& profile() const { return profile_; }
    // CLASS on the phone, CLASS_ipad on the tablet.
    std::string screenClass(const std::string& phoneClass) const {
        return phoneClass + std::string(profile_.layoutSuffix());
    }

    // Runs script steps; on failure the test fails with the script's own message.
    ::testing::AssertionResult run(const std::string& steps) {
        std::ostringstream errors;
        if (script->runText(steps, errors, "test script")) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << errors.str();
    }

    template <class Screen>
    Screen& top() {
        auto* screen = dynamic_cast<Screen*>(app->navigationController().topViewController());
        if (!screen) {
            throw std::runtime_error("the screen on top is not the one expected");
        }
        return *screen;
    }

    // The sound players made for NAME so far, oldest first.
    std::vector<const SoundRecord*> sounds(const std::string& name) const {
        std::vector<const SoundRecord*> found;
        for (const auto& record : services.sounds()) {
            if (record->name == name) {
                found.push_back(record.get());
            }
        }
        return found;
    }

    TemporaryDirectory documents;
    HeadlessServices& services;
    std::unique_ptr<AppDelegate_All> app;
    ScreenRegistry registry;
    std::unique_ptr<ScriptSession> script;

private:
    DeviceProfile profile_;
};
