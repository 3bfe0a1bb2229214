// The headless backend: players, connections and a leaderboard that do nothing audible or
// visible but record what they were asked to do, so tests and scripted runs can check it.
// Movies and URL replies are driven by what the test tells the backend.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/CurlConnections.h"
#include "platform/PlatformServices.h"

class HeadlessMoviePlayer;

// What happened to one sound player (the record outlives the player).
struct SoundRecord {
    std::string name;
    std::string type;
    bool resourceFound = false;  // false: no player was made
    int playCount = 0;
    int stopCount = 0;
    int numberOfLoops = 0;
    float volume = 1;
    bool playing = false;   // played and neither stopped nor released since
    bool released = false;  // the player was destroyed
};

struct MovieRecord {
    std::string path;
    bool loadable = false;
    int playCount = 0;
    bool presentedFullScreen = false;
    bool playing = false;
    bool finished = false;
    int leftEarlyCount = 0;  // times the viewer left the full-screen movie before its end
    bool released = false;
};

// A canned reply for requests whose URL starts with a prefix: the HTTP status and data chunks
// then the end of loading, or, when `error` is not empty, the chunks then a failure. Delivered
// `delay` seconds after start().
struct UrlReply {
    std::vector<std::string> chunks;
    std::string error;
    double delay = 0;
    int status = 200;

    static UrlReply text(std::string body, int status = 200) {
        return {{std::move(body)}, {}, 0, status};
    }
    static UrlReply failure(std::string error) { return {{}, std::move(error), 0, 0}; }
};

struct LeaderboardReport {
    int64_t value = 0;
    std::string category;
};

class HeadlessLeaderboard : public Leaderboard {
public:
    void authenticateLocalPlayer(std::function<void(const std::string& error)> done) override;
    bool isLocalPlayerAuthenticated() const override { return authenticated_; }
    void reportScore(int64_t value, const std::string& category,
                     std::function<void(const std::string& error)> done) override;

    // An error text makes authentication (and so reporting) fail with it.
    void setAuthenticationError(std::string error) { authenticationError_ = std::move(error); }
    int authenticationRequests() const { return authenticationRequests_; }
    // Every report, in order, whether or not it succeeded.
    const std::vector<LeaderboardReport>& reports() const { return reports_; }

private:
    bool authenticated_ = false;
    int authenticationRequests_ = 0;
    std::string authenticationError_;
    std::vector<LeaderboardReport> reports_;
};

class HeadlessServices : public PlatformServices {
public:
    HeadlessServices();
    ~HeadlessServices() override;

    std::unique_ptr<SoundPlayer> createSoundPlayer(const std::string& name, const std::string& type,
                                                   const std::optional<std::string>& path) override;
    std::unique_ptr<MoviePlayer> createMoviePlayer(const std::string& path) override;
    void forgetCookies() override;
    std::unique_ptr<UrlConnection> createUrlConnection(UrlRequest request,
                                                       UrlConnectionDelegate& delegate) override;
    Leaderboard& leaderboard() override {
        return otherLeaderboard_ ? *otherLeaderboard_ : leaderboard_;
    }
    HeadlessLeaderboard& headlessLeaderboard() { return leaderboard_; }
    // From now on LEADERBOARD serves the reports instead of the recording one.
    void useLeaderboard(std::unique_ptr<Leaderboard> leaderboard) {
        otherLeaderboard_ = std::move(leaderboard);
    }
    MoviePlayer* fullScreenMovie() override;

    // Every sound player asked for, oldest first.
    const std::vector<std::shared_ptr<const SoundRecord>>& sounds() const { return sounds_; }
    const std::vector<std::shared_ptr<const MovieRecord>>& movies() const { return movies_; }

    // When set, a movie that plays ends by itself after this many seconds. Otherwise a movie
    // whose length the length function knows ends after that length, and any other ends only
    // through finishPlayingMovies().
    void setMovieDuration(std::optional<double> seconds) { movieDuration_ = seconds; }
    using MovieLength = std::function<std::optional<double>(const std::string& path)>;
    void setMovieLength(MovieLength length) { movieLength_ = std::move(length); }
    std::optional<double> movieDurationOf(const std::string& path) const;
    // A movie that can be played becomes playable only this long after its player is made, as
    // one that loads slowly; 0, the default, loads it at once.
    void setMovieLoadDelay(double seconds) { movieLoadDelay_ = seconds; }
    double movieLoadDelay() const { return movieLoadDelay_; }
    // Every movie now playing ends; the notifications follow through the run loop.
    void finishPlayingMovies();

    // Replies are matched in the order they were added; a request nothing matches fails.
    void addUrlReply(std::string urlPrefix, UrlReply reply);
    void clearUrlReplies() { urlReplies_.clear(); }
    // Every request started, oldest first.
    const std::vector<UrlRequest>& urlRequests() const { return urlRequests_; }
    // While set, no connection can be made: createUrlConnection gives null.
    void setRefusingConnections(bool refusing) { refusingConnections_ = refusing; }
    // From now on connections are real ones on libcurl, waited on by the active run loop; the
    // canned replies and the request record are no longer used.
    void useRealConnections(CurlOptions options);

    // For the headless players and connections.
    void forgetMovie(HeadlessMoviePlayer* player);
    UrlReply replyFor(const UrlRequest& request);

private:
    std::vector<std::shared_ptr<const SoundRecord>> sounds_;
    std::vector<std::shared_ptr<const MovieRecord>> movies_;
    std::vector<HeadlessMoviePlayer*> liveMovies_;
    std::optional<double> movieDuration_;
    MovieLength movieLength_;
    double movieLoadDelay_ = 0;
    std::vector<std::pair<std::string, UrlReply>> urlReplies_;
    std::vector<UrlRequest> urlRequests_;
    bool refusingConnections_ = false;
    std::unique_ptr<CurlConnections> realConnections_;
    HeadlessLeaderboard leaderboard_;
    std::unique_ptr<Leaderboard> otherLeaderboard_;
};
