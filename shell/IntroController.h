// The intro screen, the root of the navigation stack: the intro movie over a black screen with
// a spinning indicator, then the main menu, which covers it for the rest of the run. The first
// phone model plays the movie in the embedded player; every other device presents a movie
// screen over the intro. A 6-second timer opens the menu if the movie has not ended by then.
#pragma once

#include <memory>

#include "platform/Timer.h"
#include "platform/ViewController.h"
#include "shell/ScreenMovie.h"

class IntroController : public ViewController {
public:
    explicit IntroController(const DeviceProfile& profile = DeviceProfile::phone());
    ~IntroController() override;

    void viewDidLoad() override;
    void viewWillDisappear(bool animated) override;

    void iphoneNowy();
    void iphoneStary();
    void checkIt() { movie_.checkIt(); }
    void movieFinishedCallback();
    void nextController();

    const ScreenMovie& movie() const { return movie_; }

private:
    std::string moviePath() const;

    ScreenMovie movie_{[this] { movieFinishedCallback(); }};
    std::shared_ptr<Timer> aTimer_;
    // Whichever comes first, the movie's end or the timer, opens the menu; the other must not
    // open a second one (a movie longer than the timer would otherwise do just that).
    bool menuPushed_ = false;
};

class IntroController_ipad : public IntroController {
public:
    IntroController_ipad() : IntroController(DeviceProfile::tablet()) {}
};
