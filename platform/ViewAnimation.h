// Named view animations. Every change of a view's frame, center, bounds size, transform or alpha
// made inside animateViews() sets the model value at once (what the program and tests read) and
// animates the presented value (what the window draws) from where it is shown now to the new
// value. The animation's didStop hears its name and whether it ran to the end: it is told
// `finished = false` at once when every value it animated was taken over by a later change.
//
// A transition (setAnimationTransition) shows every change an animation makes inside one view,
// such as swapping its subviews, as the view turning over: the model changes at once, and the
// window draws the view's cached pictures of before and after, turning, for the animation's
// duration.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Timer.h"

// The values are those of the handheld platform's curve constants.
enum class AnimationCurve { EaseInOut = 0, EaseIn = 1, EaseOut = 2, Linear = 3 };

struct AnimationOptions {
    std::string name;  // e.g. "moveField"
    double duration = 0.2;
    double delay = 0;
    AnimationCurve curve = AnimationCurve::EaseInOut;
    std::function<void(const std::string& name, bool finished)> didStop;
};

class View;

// The turn shown by a transition: about the view's vertical middle, the left or the right edge
// coming forward first.
enum class ViewTransition { FlipFromLeft, FlipFromRight };

// A picture of how a view looked at one moment, made by the drawing backend for transitions;
// the platform layer only keeps it.
class ViewImage {
public:
    virtual ~ViewImage() = default;
};

// Runs `changes` at once; the animatable changes it makes are animated with `options`.
// Calls may nest: a change belongs to the innermost animation.
void animateViews(AnimationOptions options, const std::function<void()>& changes);

// Inside animateViews(), before the changes: the changes made to `view` are shown as
// `transition`, from a picture of the view taken now to one taken when `changes` has returned
// (both pictures are cached: the view's content is not redrawn while it turns). A transition
// still running on the view is taken over. Outside animateViews() it does nothing.
void setAnimationTransition(ViewTransition transition, View& view);

// The curve's eased progress (0 to 1) for linear progress `t` (0 to 1).
double easedProgress(AnimationCurve curve, double t);

// One committed animation, shared by the property animations it started on any views.
class AnimationGroup {
public:
    AnimationGroup(AnimationOptions options, Nanoseconds start);

    // The animation that changes made now belong to, or null outside animateViews().
    static std::shared_ptr<AnimationGroup> current();

    // Eased progress at `now`: 0 before the start (delay), 1 from the end on.
    double progressAt(Nanoseconds now) const;
    bool isRunningAt(Nanoseconds now) const { return now < end_; }

    // Bookkeeping for the views: a property began animating; one was taken over by another
    // change (reported), or dropped with its view (not reported: whoever listens may be gone).
    void propertyStarted() { ++liveProperties_; }
    void propertyTakenOver();
    void propertyDropped();
    // A transition began on `view` in this animation's block; a view destroyed before the
    // block ends is forgotten.
    void addTransitionView(View& view) { transitionViews_.push_back(&view); }
    void forgetTransitionView(const View& view);

private:
    friend void animateViews(AnimationOptions, const std::function<void()>&);

    void scheduleEnd(std::shared_ptr<AnimationGroup> self);
    void cacheTransitionEnds();
    void report(bool finished);
    void cancelEnd();

    AnimationOptions options_;
    Nanoseconds start_;
    Nanoseconds end_;
    int liveProperties_ = 0;
    bool interrupted_ = false;
    bool reported_ = false;
    std::weak_ptr<Timer> endTimer_;
    std::vector<View*> transitionViews_;  // only while the block runs
};

// The animation of one property of one view: where its presented value started from.
template <class Value>
struct PropertyAnimation {
    Value from;
    std::shared_ptr<AnimationGroup> group;
};
