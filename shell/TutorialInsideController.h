// One tutorial movie, full screen over black, played the intro's way for the device model.
// The screen has no controls: it closes itself (pops, without animation) when the movie ends,
// when the player leaves the movie early, and when there is no movie to play: at once when the
// resources have none by that name, and a few seconds after loading when it never becomes
// playable.
#pragma once

#include <memory>
#include <string>

#include "platform/Timer.h"
#include "platform/ViewController.h"
#include "shell/ScreenMovie.h"

class TutorialInsideController : public ViewController {
public:
    // `movie` is the base name of the movie resource, of type "mp4"; nothing is prepared until
    // the screen's view is built.
    static std::unique_ptr<TutorialInsideController> initWithMP4(const DeviceProfile& profile,
                                                                 const std::string& movie);
    explicit TutorialInsideController(std::string movie,
                                      const DeviceProfile& profile = DeviceProfile::phone());
    ~TutorialInsideController() override;

    void viewDidLoad() override;
    void iphoneNowy();
    void iphoneStary();
    void checkIt() { moviePlayerView_.checkIt(); }
    void movieFinishedCallback();

    const std::string& movie() const { return movie_; }
    const ScreenMovie& moviePlayerView() const { return moviePlayerView_; }

private:
    void close();

    ScreenMovie moviePlayerView_{[this] { movieFinishedCallback(); }};
    std::string movie_;
    std::string moviePath_;
    std::shared_ptr<Timer> closeCall_;
    bool closed_ = false;
};

class TutorialInsideController_ipad : public TutorialInsideController {
public:
    explicit TutorialInsideController_ipad(std::string movie)
        : TutorialInsideController(std::move(movie), DeviceProfile::tablet()) {}
};
