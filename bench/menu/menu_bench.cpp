// The main menu's costs, for the phone and the tablet: the time from the program's start to
// the menu's first frame with the intro skipped, and the time to draw a frame of the menu
// while its settings window bounces in, offscreen and (when a display is there) in the window.
// Prints one line per measurement: "NAME PROFILE MILLISECONDS" (medians).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "Shared/GameSession.h"
#include "app/AppDelegate_All.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/Window.h"
#include "platform/sdl/OffscreenRenderer.h"
#include "platform/sdl/SdlWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

LaunchOptions optionsFor(LaunchOptions::Profile profile, bool headless) {
    LaunchOptions options;
    options.profile = profile;
    options.headless = headless;
    options.resourcesDirectory = KALVORN_RESOURCES_DIR;
    options.documentsDirectory =
        (std::filesystem::temp_directory_path() / "kalvorn-bench-menu").string();
    return options;
}

std::string menuName(LaunchOptions::Profile profile) {
    return profile == LaunchOptions::Profile::Tablet ? "MenuController_ipad" : "MenuController";
}

// Start to first frame of the menu, the intro skipped by opening the menu at once.
double launchToMenu(LaunchOptions::Profile profile) {
    std::ostringstream errors;
    const Clock::time_point start = Clock::now();
    GameSession session(optionsFor(profile, true));
    session.launch();
    session.runScript("open " + menuName(profile) + "\n", "bench", errors);
    OffscreenRenderer renderer(session.app().window().size());
    renderer.render(session.app().window());
    return millisecondsSince(start);
}

// Frames of the menu while the settings window bounces in (1.5 s of virtual time).
double offscreenFrame(LaunchOptions::Profile profile) {
    std::ostringstream errors;
    GameSession session(optionsFor(profile, true));
    session.launch();
    session.runScript("open " + menuName(profile) + "\ntap settingsButton\n", "bench", errors);
    OffscreenRenderer renderer(session.app().window().size());
    RunLoop& loop = Platform::current().runLoop();
    std::vector<double> frames;
    for (int frame = 0; frame < 90; ++frame) {
        loop.runFor(1.0 / 60);
        const Clock::time_point start = Clock::now();
        renderer.render(session.app().window());
        frames.push_back(millisecondsSince(start));
    }
    return median(frames);
}

// The same in the real window, presented to the screen.
double windowFrame(LaunchOptions::Profile profile) {
    std::ostringstream errors;
    GameSession session(optionsFor(profile, false));
    if (!session.isReady()) {
        return -1;
    }
    session.launch();
    session.runScript("open " + menuName(profile) + "\ntap settingsButton\n", "bench", errors);
    SdlWindow& window = *session.sdlWindow();
    std::vector<double> frames;
    for (int frame = 0; frame < 90; ++frame) {
        Platform::current().runLoop().runDueTimers();
        const Clock::time_point start = Clock::now();
        window.drawFrame();
        frames.push_back(millisecondsSince(start));
    }
    return median(frames);
}

}  // namespace

int main() {
    for (LaunchOptions::Profile profile :
         {LaunchOptions::Profile::Phone, LaunchOptions::Profile::Tablet}) {
        const char* name = profile == LaunchOptions::Profile::Tablet ? "tablet" : "phone";
        std::vector<double> launches;
        for (int run = 0; run < 9; ++run) {
            launches.push_back(launchToMenu(profile));
        }
        std::printf("launch-to-menu %s %.2f\n", name, median(launches));
        std::printf("menu-frame-offscreen %s %.3f\n", name, offscreenFrame(profile));
        if (std::getenv("DISPLAY")) {
            std::printf("menu-frame-window %s %.3f\n", name, windowFrame(profile));
        }
    }
    return 0;
}
