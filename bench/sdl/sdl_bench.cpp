// Frame times of a busy screen (a full-screen picture, 40 pictures some turned and
// translucent, 20 labels, buttons, switches, a spinning indicator and a sliding panel) drawn
// offscreen and in the window, for the phone and the tablet sizes; then the window's CPU use
// while nothing moves and while the indicator spins.
#include <SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/ActivityIndicatorView.h"
#include "platform/Bundle.h"
#include "platform/Button.h"
#include "platform/DeviceProfile.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/Platform.h"
#include "platform/Switch.h"
#include "platform/Window.h"
#include "platform/sdl/OffscreenRenderer.h"
#include "platform/sdl/SdlServices.h"
#include "platform/sdl/SdlWindow.h"

namespace fs = std::filesystem;

namespace {
constexpr int kFrames = 200;

// A folder with the benchmark's pictures and the fonts, used as the resources directory.
fs::path makeResources() {
    const fs::path folder =
        fs::temp_directory_path() / ("kalvorn-bench-sdl-" + std::to_string(getpid()));
    fs::create_directories(folder / "fonts");
    for (const char* font : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
        fs::copy_file(fs::path(KALVORN_RESOURCES_DIR) / "fonts" / font, folder / "fonts" / font,
                      fs::copy_options::overwrite_existing);
    }
    auto writeGradient = [&](const std::string& name, int width, int height) {
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
        auto* pixels = static_cast<Uint32*>(surface->pixels);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels[y * surface->pitch / 4 + x] = SDL_MapRGBA(
                    surface->format, Uint8(x * 255 / width), Uint8(y * 255 / height), 128, 255);
            }
        }
        IMG_SavePNG(surface, (folder / name).c_str());
        SDL_FreeSurface(surface);
    };
    writeGradient("backdrop.png", 1024, 768);
    writeGradient("gun.png", 96, 64);
    writeGradient("button.png", 160, 44);
    return folder;
}

struct BusyScreen {
    View* panel = nullptr;
    ActivityIndicatorView* indicator = nullptr;
};

BusyScreen buildBusyScreen(Window& window) {
    View& root = window.rootView();
    const Size size = window.size();
    auto& backdrop = root.addSubview(std::make_unique<ImageView>("backdrop.png"));
    backdrop.setFrame({0, 0, size.width, size.height});
    for (int i = 0; i < 40; ++i) {
        auto& gun = root.addSubview(std::make_unique<ImageView>("gun.png"));
        gun.setFrame(
            {(i % 8) * size.width / 8, (i / 8) * size.height / 6, size.width / 9, size.height / 9});
        if (i % 3 == 0) {
            gun.setTransform(AffineTransform::rotation(0.3 * i));
        }
        if (i % 4 == 0) {
            gun.setAlpha(0.7);
        }
    }
    for (int i = 0; i < 20; ++i) {
        auto& label = root.addSubview(std::make_unique<Label>());
        label.setFrame(
            {(i % 4) * size.width / 4, size.height * 0.7 + (i / 4) * 18, size.width / 4, 18});
        label.setText("Label " + std::to_string(i) + ": 1234 pts");
        label.setTextColor(Color::white());
        label.setFont("DejaVuSans", 13);
    }
    for (int i = 0; i < 6; ++i) {
        auto& button = root.addSubview(std::make_unique<Button>());
        button.setImage("button.png");
        button.setTitle("Entry " + std::to_string(i));
        button.setFrame({size.width - 170, 10.0 + i * 50, 160, 44});
    }
    BusyScreen screen;
    auto& panel = root.addSubview(
        std::make_unique<View>(Rect{size.width / 4, size.height, size.width / 2, 200}));
    panel.setBackgroundColor({0.1, 0.12, 0.16, 0.9});
    auto& musicSwitch = panel.addSubview(std::make_unique<Switch>());
    musicSwitch.setFrame({20, 20, 79, 27});
    musicSwitch.setOn(true);
    screen.panel = &panel;
    auto& indicator = root.addSubview(std::make_unique<ActivityIndicatorView>());
    indicator.setFrame({size.width / 2 - 18, size.height / 2 - 18, 37, 37});
    indicator.startAnimating();
    screen.indicator = &indicator;
    return screen;
}

// Starts a long slide of the panel, so every frame draws it somewhere new.
void slidePanel(View& panel, double seconds) {
    animateViews({"moveField", seconds, 0, AnimationCurve::EaseInOut, {}}, [&] {
        Rect frame = panel.frame();
        frame.y -= 200;
        panel.setFrame(frame);
    });
}

double seconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double cpuSeconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

void reportFrames(const char* what, std::string_view profile, const std::function<void()>& frame) {
    for (int i = 0; i < 10; ++i) {
        frame();
    }
    std::vector<double> times;
    for (int i = 0; i < kFrames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        frame();
        times.push_back(seconds(std::chrono::steady_clock::now() - start) * 1000);
    }
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double time : times) {
        total += time;
    }
    std::printf("%-10s %-7s frame ms: mean %.2f  median %.2f  p95 %.2f  (%d frames)\n", what,
                std::string(profile).c_str(), total / kFrames, times[kFrames / 2],
                times[kFrames * 95 / 100], kFrames);
}

void benchWindow(Window& window, BusyScreen& screen, std::string_view profile) {
    SdlWindow sdlWindow(window, {"Kalvorn bench", 1});
    if (!sdlWindow.isOpen()) {
        std::printf("window     %-7s skipped: %s\n", std::string(profile).c_str(),
                    sdlWindow.error().c_str());
        return;
    }
    std::printf("window     %-7s video driver %s\n", std::string(profile).c_str(),
                SDL_GetCurrentVideoDriver());
    sdlWindow.runFor(0.2);
    reportFrames("window", profile, [&] { sdlWindow.drawFrame(); });
    // A GPU renderer may queue frames: the time of many, ended by a read-back that waits for
    // them all, gives what a frame really costs.
    const auto batchStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) {
        sdlWindow.drawFrame();
    }
    SDL_FreeSurface(sdlWindow.capturePixels());
    std::printf("window     %-7s frame ms with the renderer's queued work: %.2f\n",
                std::string(profile).c_str(),
                seconds(std::chrono::steady_clock::now() - batchStart) * 1000 / (kFrames + 1));

    // Idle: nothing moves; then the indicator spins.
    screen.panel->stopAnimations();
    screen.indicator->stopAnimating();
    for (bool spinning : {false, true}) {
        if (spinning) {
            screen.indicator->startAnimating();
        }
        sdlWindow.runFor(0.2);
        const uint64_t frames = sdlWindow.framesDrawn();
        const double cpu = cpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        sdlWindow.runFor(2.0);
        const double elapsed = seconds(std::chrono::steady_clock::now() - start);
        std::printf("window     %-7s %-9s CPU %5.1f%%  %5.1f frames/s\n",
                    std::string(profile).c_str(), spinning ? "spinning" : "idle",
                    (cpuSeconds() - cpu) / elapsed * 100,
                    double(sdlWindow.framesDrawn() - frames) / elapsed);
    }
}
}  // namespace

int main() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const fs::path resources = makeResources();
    Bundle::main().setResourcesDirectory(resources.string());
    for (const DeviceProfile& profile : {DeviceProfile::phone(), DeviceProfile::tablet()}) {
        SdlServices::install();
        Window window(profile.screenSize());
        BusyScreen screen = buildBusyScreen(window);
        slidePanel(*screen.panel, 3600);
        {
            OffscreenRenderer offscreen(window.size());
            reportFrames("offscreen", profile.name(), [&] { offscreen.render(window); });
        }
        benchWindow(window, screen, profile.name());
    }
    Platform::installHeadless();
    fs::remove_all(resources);
    return 0;
}
