// The active platform and the creation of players and connections through it.
#include "platform/Platform.h"

#include <cstdio>
#include <utility>

#include "platform/Bundle.h"
#include "platform/headless/HeadlessServices.h"

namespace {
std::unique_ptr<Platform>& activePlatform() {
    static std::unique_ptr<Platform> platform;
    return platform;
}
}  // namespace

Platform::Platform(std::unique_ptr<Clock> clock, std::unique_ptr<PlatformServices> services)
    : services_(std::move(services)), runLoop_(std::make_unique<RunLoop>(std::move(clock))) {}

Platform& Platform::current() {
    if (!activePlatform()) {
        installHeadless();
    }
    return *activePlatform();
}

Platform& Platform::install(std::unique_ptr<Platform> platform) {
    // Swap first, destroy after: destructors of the old platform's pending callbacks then see
    // the new platform as the current one.
    std::unique_ptr<Platform> previous = std::exchange(activePlatform(), std::move(platform));
    previous.reset();
    return *activePlatform();
}

HeadlessServices& Platform::installHeadless() {
    auto services = std::make_unique<HeadlessServices>();
    HeadlessServices& result = *services;
    install(std::make_unique<Platform>(std::make_unique<VirtualClock>(), std::move(services)));
    return result;
}

std::shared_ptr<AlertView> Platform::visibleAlert() const {
    for (auto it = alerts_.rbegin(); it != alerts_.rend(); ++it) {
        if ((*it)->isVisible()) {
            return *it;
        }
    }
    return nullptr;
}

std::unique_ptr<SoundPlayer> SoundPlayer::create(std::string_view name, std::string_view type) {
    return Platform::current().services().createSoundPlayer(
        std::string(name), std::string(type), Bundle::main().pathForResource(name, type));
}

std::unique_ptr<MoviePlayer> MoviePlayer::create(const std::string& path) {
    return Platform::current().services().createMoviePlayer(path);
}

void MoviePlayer::notifyPlaybackDidFinish() {
    if (playbackDidFinish_) {
        // The observer may stop observing (and so destroy this function) while it runs.
        auto handler = playbackDidFinish_;
        handler(*this);
    }
}

void UrlConnection::forgetCookies() {
    Platform::current().services().forgetCookies();
}

std::unique_ptr<UrlConnection> UrlConnection::create(UrlRequest request,
                                                     UrlConnectionDelegate& delegate) {
    return Platform::current().services().createUrlConnection(std::move(request), delegate);
}

void Platform::log(std::string line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    logLines_.push_back(std::move(line));
}

void Platform::release(const void* object) {
    // The object may be destroyed here, and its destructor may retain or release others.
    std::shared_ptr<void> doomed;
    for (auto it = retained_.begin(); it != retained_.end(); ++it) {
        if (it->get() == object) {
            doomed = std::move(*it);
            retained_.erase(it);
            break;
        }
    }
}
