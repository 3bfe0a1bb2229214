// The firing simulator's frame time in automatic fire, for the phone and the tablet: a gun with
// a 200-round magazine fires with the finger held while each frame lets 1/60 s pass (shot
// ticks, sounds, flash, tilt and smoke) and draws the screen offscreen. Prints one line per
// profile: "range-auto-fire-frame PROFILE MILLISECONDS" (median of the frames).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "Shared/GameSession.h"
#include "app/AppDelegate_All.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/Window.h"
#include "platform/sdl/OffscreenRenderer.h"

namespace {

using Clock = std::chrono::steady_clock;

double autoFireFrame(LaunchOptions::Profile profile) {
    const bool tablet = profile == LaunchOptions::Profile::Tablet;
    LaunchOptions options;
    options.profile = profile;
    options.headless = true;
    options.resourcesDirectory = KALVORN_RESOURCES_DIR;
    options.documentsDirectory =
        (std::filesystem::temp_directory_path() / "kalvorn-bench-range").string();
    GameSession session(options);
    session.launch();
    std::ostringstream errors;
    const std::string screen =
        tablet ? "RifleRangeGameController_ipad" : "RifleRangeGameController";
    if (!session.runScript("open " + screen + " 24\naction changeMode\ndown active_gun\n", "bench",
                           errors)) {
        std::fprintf(stderr, "bench-range: %s", errors.str().c_str());
        return -1;
    }
    OffscreenRenderer renderer(session.app().window().size());
    RunLoop& loop = Platform::current().runLoop();
    std::vector<double> frames;
    // 10 shots a second for 15 s stays within the magazine.
    for (int frame = 0; frame < 900; ++frame) {
        const Clock::time_point start = Clock::now();
        loop.runFor(1.0 / 60);
        renderer.render(session.app().window());
        frames.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(frames.begin(), frames.end());
    return frames[frames.size() / 2];
}

}  // namespace

int main() {
    std::printf("range-auto-fire-frame phone %.3f\n", autoFireFrame(LaunchOptions::Profile::Phone));
    std::printf("range-auto-fire-frame tablet %.3f\n",
                autoFireFrame(LaunchOptions::Profile::Tablet));
    return 0;
}
