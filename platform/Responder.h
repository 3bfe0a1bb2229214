// Something that can handle touches: views and view controllers. A responder that does not
// handle a touch phase passes it to its next responder (a view's controller, else its
// superview; a controller's view's superview), as on the device.
#pragma once

#include <vector>

class Touch;
class TouchEvent;

// The touches of one event that concern one responder, in the order the fingers were reported.
using TouchSet = std::vector<Touch*>;

class Responder {
public:
    virtual ~Responder() = default;

    virtual Responder* nextResponder() const = 0;

    virtual void touchesBegan(const TouchSet& touches, const TouchEvent& event);
    virtual void touchesMoved(const TouchSet& touches, const TouchEvent& event);
    virtual void touchesEnded(const TouchSet& touches, const TouchEvent& event);
    virtual void touchesCancelled(const TouchSet& touches, const TouchEvent& event);
};
