// The headless backend's services and leaderboard.
#include "platform/headless/HeadlessServices.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/RunLoop.h"
#include "platform/headless/HeadlessPlayers.h"

HeadlessServices::HeadlessServices() = default;

HeadlessServices::~HeadlessServices() = default;

std::unique_ptr<SoundPlayer> HeadlessServices::createSoundPlayer(
    const std::string& name, const std::string& type, const std::optional<std::string>& path) {
    auto record = std::make_shared<SoundRecord>();
    record->name = name;
    record->type = type;
    record->resourceFound = path.has_value();
    sounds_.push_back(record);
    if (!path) {
        return nullptr;
    }
    return std::make_unique<HeadlessSoundPlayer>(std::move(record));
}

std::unique_ptr<MoviePlayer> HeadlessServices::createMoviePlayer(const std::string& path) {
    auto record = std::make_shared<MovieRecord>();
    record->path = path;
    std::error_code error;
    // An empty file stands for one that cannot be decoded.
    record->loadable = !path.empty() && std::filesystem::is_regular_file(path, error) &&
                       std::filesystem::file_size(path, error) > 0;
    movies_.push_back(record);
    auto player = std::make_unique<HeadlessMoviePlayer>(*this, std::move(record));
    liveMovies_.push_back(player.get());
    return player;
}

std::optional<double> HeadlessServices::movieDurationOf(const std::string& path) const {
    if (movieDuration_ || !movieLength_) {
        return movieDuration_;
    }
    return movieLength_(path);
}

MoviePlayer* HeadlessServices::fullScreenMovie() {
    for (auto it = liveMovies_.rbegin(); it != liveMovies_.rend(); ++it) {
        if ((*it)->isPresentedFullScreen() &&
            (*it)->loadState() == MoviePlayer::LoadStatePlayable) {
            return *it;
        }
    }
    return nullptr;
}

void HeadlessServices::forgetCookies() {
    if (realConnections_) {
        realConnections_->forgetCookies();
    }
}

std::unique_ptr<UrlConnection> HeadlessServices::createUrlConnection(
    UrlRequest request, UrlConnectionDelegate& delegate) {
    if (realConnections_) {
        return realConnections_->create(std::move(request), delegate);
    }
    if (refusingConnections_) {
        return nullptr;
    }
    return std::make_unique<HeadlessUrlConnection>(*this, std::move(request), delegate);
}

void HeadlessServices::finishPlayingMovies() {
    // finish() does not call back synchronously, so the list stays stable while we walk it.
    for (HeadlessMoviePlayer* player : liveMovies_) {
        if (player->isPlaying()) {
            player->finish();
        }
    }
}

void HeadlessServices::forgetMovie(HeadlessMoviePlayer* player) {
    std::erase(liveMovies_, player);
}

void HeadlessServices::useRealConnections(CurlOptions options) {
    realConnections_ = std::make_unique<CurlConnections>(std::move(options));
    RunLoop::main().setSource(realConnections_.get());
}

void HeadlessServices::addUrlReply(std::string urlPrefix, UrlReply reply) {
    urlReplies_.emplace_back(std::move(urlPrefix), std::move(reply));
}

UrlReply HeadlessServices::replyFor(const UrlRequest& request) {
    urlRequests_.push_back(request);
    for (const auto& [prefix, reply] : urlReplies_) {
        if (request.url.starts_with(prefix)) {
            return reply;
        }
    }
    return UrlReply::failure("no reply for " + request.url);
}

void HeadlessLeaderboard::authenticateLocalPlayer(
    std::function<void(const std::string& error)> done) {
    ++authenticationRequests_;
    authenticated_ = authenticationError_.empty();
    if (done) {
        RunLoop::main().post(
            [done = std::move(done), error = authenticationError_] { done(error); });
    }
}

void HeadlessLeaderboard::reportScore(int64_t value, const std::string& category,
                                      std::function<void(const std::string& error)> done) {
    reports_.push_back({value, category});
    if (done) {
        std::string error = authenticated_ ? "" : "local player not authenticated";
        RunLoop::main().post([done = std::move(done), error = std::move(error)] { done(error); });
    }
}
