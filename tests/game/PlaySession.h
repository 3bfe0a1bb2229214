// A running program for play-screen tests: headless platform, the build's resources, a fresh
// documents directory, the application state after launch and a scripted session on its
// window, through which the tests tap and drag as a player would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/AppDelegate_All.h"
#include "game/GameScreens.h"
#include "game/PlayController.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/ScreenRegistry.h"
#include "platform/ScriptSession.h"
#include "platform/Window.h"
#include "tests/support/HeadlessApp.h"
#include "tests/support/TemporaryDirectory.h"

class PlaySession {
public:
    explicit PlaySession(DeviceProfile profile = DeviceProfile::phone()) : profile_(profile) {
        Platform::installHeadless();
        app = launchHeadlessApp(profile, documents);
        app->login = "defaultUser";
        registerGameScreens(registry);
        script = std::make_unique<ScriptSession>(app->window(), app->navigationController(),
                                                 profile, registry);
    }

    // Opens the play screen of a gun as the script step "open" does.
    PlayController& open(const std::string& category, int idGun) {
        const std::string name = profile_.isTablet() ? "PlayController_ipad" : "PlayController";
        const StepResult opened = script->open(name, {category, std::to_string(idGun)});
        EXPECT_TRUE(opened.ok) << opened.message;
        return screen();
    }

    PlayController& screen() {
        auto* play = dynamic_cast<PlayController*>(app->navigationController().topViewController());
        if (!play) {
            throw std::runtime_error("no play screen on top");
        }
        return *play;
    }

    void tap(const std::string& outlet) {
        const StepResult tapped = script->tap(outlet);
        EXPECT_TRUE(tapped.ok) << outlet << ": " << tapped.message;
    }
    void expect(const std::string& outlet, const std::string& property, const std::string& value) {
        const StepResult held = script->expect(outlet, property, value);
        EXPECT_TRUE(held.ok) << outlet << "." << property << ": " << held.message;
    }
    void wait(double seconds) { script->wait(seconds); }
    // Lets exactly `ticks` clock ticks be delivered.
    void waitTicks(int ticks) { wait(ticks * 0.01 + 0.004); }

    View& slotView(int slot) {
        return *screen().outletView("czesc" + std::to_string(slot) + "View");
    }

    // A point of the slot where a finger lands on that slot and not on something over it.
    std::optional<Point> grabPoint(int slot) {
        View& target = slotView(slot);
        const Rect frame = target.frame();
        const Point center = frame.center();
        if (app->window().rootView().hitTest(center) == &target) {
            return center;
        }
        for (double y = frame.y + 1; y < frame.y + frame.height; y += 2) {
            for (double x = frame.x + 1; x < frame.x + frame.width; x += 2) {
                if (app->window().rootView().hitTest({x, y}) == &target) {
                    return Point{x, y};
                }
            }
        }
        return std::nullopt;
    }

    // A finger picks the slot up and lets go at `to`.
    void dragSlot(int slot, Point to) {
        const std::optional<Point> from = grabPoint(slot);
        ASSERT_TRUE(from) << "part " << slot << " cannot be touched";
        const StepResult dragged = script->drag(*from, to);
        ASSERT_TRUE(dragged.ok) << dragged.message;
    }
    void dragOnto(int slot, int target) { dragSlot(slot, slotView(target).frame().center()); }

    // Performs the gun's joins in table order, skipping alternatives of joins already made,
    // with whichever dragged part is still visible. Stops before the final join if asked.
    void playJoins(bool includingFinal) {
        const GunAssembly& gun = *screen().board().gun();
        for (const JoinRule& rule : gun.rules) {
            if (rule.isFinal && !includingFinal) {
                return;
            }
            if (!rule.isFinal && screen().board().czyPolaczono(rule.sets)) {
                continue;
            }
            int dragged = rule.dragged.slot;
            if (slotView(dragged).isHidden() && rule.dragged.orSlot != 0) {
                dragged = rule.dragged.orSlot;
            }
            dragOnto(dragged, rule.onto);
            ASSERT_TRUE(screen().board().czyPolaczono(rule.sets))
                << "gun " << gun.id_gun << ": part " << dragged << " onto " << rule.onto;
        }
    }

    TemporaryDirectory documents;
    std::unique_ptr<AppDelegate_All> app;
    ScreenRegistry registry;
    std::unique_ptr<ScriptSession> script;

private:
    DeviceProfile profile_;
};
