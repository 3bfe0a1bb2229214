// The headless sound and movie players and URL connection (private to the headless backend).
#pragma once

#include <memory>

#include "platform/Timer.h"
#include "platform/headless/HeadlessServices.h"

class HeadlessSoundPlayer : public SoundPlayer {
public:
    explicit HeadlessSoundPlayer(std::shared_ptr<SoundRecord> record);
    ~HeadlessSoundPlayer() override;

    void play() override;
    void stop() override;
    bool isPlaying() const override { return record_->playing; }
    void setNumberOfLoops(int loops) override { record_->numberOfLoops = loops; }
    int numberOfLoops() const override { return record_->numberOfLoops; }
    void setVolume(float volume) override { record_->volume = volume; }
    float volume() const override { return record_->volume; }

private:
    std::shared_ptr<SoundRecord> record_;
};

class HeadlessMoviePlayer : public MoviePlayer {
public:
    HeadlessMoviePlayer(HeadlessServices& services, std::shared_ptr<MovieRecord> record);
    ~HeadlessMoviePlayer() override;

    int loadState() const override;
    void play() override;
    void stop() override;
    bool isPlaying() const override { return record_->playing; }
    void presentFullScreen() override;
    bool isPresentedFullScreen() const override { return record_->presentedFullScreen; }
    void leaveFullScreen() override;

    // Ends playback now and posts the notification.
    void finish();

private:
    HeadlessServices& services_;
    std::shared_ptr<MovieRecord> record_;
    std::shared_ptr<Timer> loadTimer_;
    std::shared_ptr<Timer> endTimer_;
    std::shared_ptr<Timer> notification_;
    bool playWhenLoaded_ = false;
};

class HeadlessUrlConnection : public UrlConnection {
public:
    HeadlessUrlConnection(HeadlessServices& services, UrlRequest request,
                          UrlConnectionDelegate& delegate);
    ~HeadlessUrlConnection() override;

    void start() override;
    void cancel() override;
    const UrlRequest& request() const override { return request_; }

private:
    void deliver(const UrlReply& reply);

    HeadlessServices& services_;
    UrlRequest request_;
    UrlConnectionDelegate& delegate_;
    std::shared_ptr<Timer> delivery_;
    std::shared_ptr<bool> active_ = std::make_shared<bool>(true);  // false once cancelled
    bool started_ = false;
};
