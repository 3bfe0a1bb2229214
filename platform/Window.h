// The screen: a root view of the profile's size that shows the root controller's view, and the
// delivery of fingers to views. A finger is delivered to the view it lands on (hit testing the
// model tree) and stays with that view until it lifts; views that do not handle it pass it up
// the responder chain. Input arrives from the backend (mouse as finger 0, real touch events as
// several fingers) or from a script, always on the main loop.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Touch.h"
#include "platform/View.h"

class TextField;
class ViewController;

struct FingerInput {
    int finger = 0;
    Point location;  // window coordinates
};

class Window {
public:
    explicit Window(Size size);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Size size() const { return rootView_->bounds().size(); }
    View& rootView() { return *rootView_; }
    // Shows `controller`'s view (loading it if needed) filling the window, and tells the
    // controller it appears. The controller is owned elsewhere.
    void setRootViewController(ViewController& controller);
    ViewController* rootViewController() const { return rootController_; }

    // Several fingers changing at once in one event.
    void sendTouches(TouchPhase phase, const std::vector<FingerInput>& fingers);
    // One finger.
    void touchDown(Point location, int finger = 0) {
        sendTouches(TouchPhase::Began, {{finger, location}});
    }
    void touchMove(Point location, int finger = 0) {
        sendTouches(TouchPhase::Moved, {{finger, location}});
    }
    void touchUp(Point location, int finger = 0) {
        sendTouches(TouchPhase::Ended, {{finger, location}});
    }
    void touchCancel(int finger = 0);
    size_t activeTouchCount() const { return touches_.size(); }

    // The text field that has the keyboard focus (takes typed text), or null. One field at a
    // time: a field that takes the focus takes it from the one that had it. A screen takes the
    // focus away with the field's resignFirstResponder(); a field leaving the window loses it.
    TextField* focusedField() const { return focusedField_; }
    void setFocusedField(TextField* field) { focusedField_ = field; }

    // For views leaving the window: touches on `view` or inside it stop being delivered, and a
    // focused field inside it loses the focus.
    void viewWillLeave(const View& view);

private:
    void handOverMovingTouches(const std::vector<Touch*>& moved, const TouchEvent& event);

    std::unique_ptr<View> rootView_;
    ViewController* rootController_ = nullptr;
    std::map<int, std::unique_ptr<Touch>> touches_;  // by finger
    TextField* focusedField_ = nullptr;
};
