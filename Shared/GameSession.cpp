// Setting up and running one session of the game.
#include "Shared/GameSession.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "app/AppDelegate_All.h"
#include "app/SettingManagement.h"
#include "game/GameScreens.h"
#include "online/OnlineScreens.h"
#include "online/ServiceRequests.h"
#include "online/SessionCookieFile.h"
#include "platform/Bundle.h"
#include "platform/FileLeaderboard.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/ScreenRegistry.h"
#include "platform/ScriptSession.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessServices.h"
#include "platform/sdl/MovieDecoder.h"
#include "platform/sdl/OffscreenRenderer.h"
#include "platform/sdl/SdlServices.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/ViewImages.h"
#include "range/RangeScreens.h"
#include "shell/ShellScreens.h"

namespace {

// A headless run without a script ends when nothing is scheduled any more, or after this much
// virtual time (a screen with a repeating timer would otherwise keep it going for ever).
constexpr double kHeadlessIdleLimitSeconds = 3600;
constexpr double kTransferWaitSeconds = 0.1;

std::string defaultDeviceModel(LaunchOptions::Profile profile) {
    return profile == LaunchOptions::Profile::Tablet ? "iPad2,1" : "iPhone3,1";
}

std::optional<double> lengthOfMovie(const std::string& path) {
    MovieDecoder decoder;
    if (!decoder.open(path) || decoder.duration() <= 0) {
        return std::nullopt;
    }
    return decoder.duration();
}

void prepareDocumentsDirectory(const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
        std::fprintf(stderr, "kalvorn: cannot make the documents directory %s: %s\n",
                     directory.c_str(), error.message().c_str());
    }
}

}  // namespace

GameSession::GameSession(const LaunchOptions& options) : options_(options) {
    Bundle& bundle = Bundle::main();
    bundle.setResourcesDirectory(options_.resourcesDirectory);
    bundle.setDocumentsDirectory(options_.documentsDirectory);
    prepareDocumentsDirectory(options_.documentsDirectory);

    const CurlOptions connections{
        options_.requestTimeoutSeconds, options_.caFile,
        prepareSessionCookieFile(options_.documentsDirectory,
                                 SettingManagement().readStoredSetting("autologin") == "1")};
    HeadlessServices* standIns = nullptr;
    if (options_.headless) {
        headlessServices_ = &Platform::installHeadless();
        standIns = headlessServices_;
        if (!options_.recordingConnections) {
            standIns->useRealConnections(connections);
        }
        if (!options_.moviesPlayUntilFinished) {
            // Movies last as long as in the window, on the virtual clock.
            standIns->setMovieLength(lengthOfMovie);
        }
    } else {
        standIns = &SdlServices::install().urlAndLeaderboard();
        standIns->useRealConnections(connections);
    }
    // Headless runs draw their screenshots with the window's code, transitions included.
    installViewImages(Platform::current());
    standIns->useLeaderboard(std::make_unique<FileLeaderboard>(options_.leaderboardFile.value_or(
        (std::filesystem::path(options_.documentsDirectory) / "leaderboard.txt").string())));
    ServiceRequests::setServiceBaseUrl(options_.serviceUrl);
    Platform::current().setDeviceModel(
        options_.deviceModel.value_or(defaultDeviceModel(options_.profile)));

    ScreenRegistry& registry = ScreenRegistry::shared();
    registerShellScreens(registry);
    registerGameScreens(registry);
    registerOnlineScreens(registry);
    registerRangeScreens(registry);

    if (options_.profile == LaunchOptions::Profile::Tablet) {
        app_ = std::make_unique<AppDelegate_iPad>();
    } else {
        app_ = std::make_unique<AppDelegate_iPhone>();
    }
    if (!options_.headless) {
        window_ = std::make_unique<SdlWindow>(app_->window(), WindowOptions{});
        if (!window_->isOpen()) {
            std::fprintf(stderr, "kalvorn: cannot open the window: %s (try --headless)\n",
                         window_->error().c_str());
        } else if (const char* driver = SDL_GetCurrentVideoDriver();
                   driver &&
                   (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
            // With no display SDL falls back to a window nobody can see.
            std::fprintf(stderr,
                         "kalvorn: no display found, so the window cannot be seen "
                         "(set DISPLAY, or use --headless)\n");
        }
    }
}

bool GameSession::isReady() const {
    return !window_ || window_->isOpen();
}

void GameSession::launch() {
    app_->didFinishLaunching();
}

GameSession::~GameSession() = default;

bool GameSession::runScript(const std::string& text, const std::string& source,
                            std::ostream& errors) {
    ScriptSession script(app_->window(), app_->navigationController(), app_->profile(),
                         ScreenRegistry::shared());
    if (options_.screenshotDirectory) {
        script.setScreenshotDirectory(*options_.screenshotDirectory);
    }
    if (window_) {
        script.setWaitHook([this](double seconds) { return window_->runFor(seconds); });
        script.setScreenshotHook([this](const std::string& path, std::string& error) {
            return window_->saveScreenshot(path, error);
        });
    } else {
        script.setScreenshotHook([this](const std::string& path, std::string& error) {
            return saveScreenshot(app_->window(), path, error);
        });
    }
    return script.runText(text, errors, source);
}

int GameSession::run() {
    if (window_) {
        window_->run();
        return 0;
    }
    RunLoop& loop = Platform::current().runLoop();
    const double deadline = loop.now() + kHeadlessIdleLimitSeconds;
    for (;;) {
        const std::optional<double> next = loop.nextFireDate();
        if (loop.isSourceBusy()) {
            // Transfers in flight: wait through them in real time until something is due.
            loop.runFor(next ? std::max(0.0, *next - loop.now()) : kTransferWaitSeconds);
            continue;
        }
        if (!next || *next > deadline) {
            break;
        }
        loop.runFor(std::max(0.0, *next - loop.now()));
    }
    return 0;
}
