// Animation groups: timing curves, the stack of open animations and the end notifications.
#include "platform/ViewAnimation.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/View.h"

namespace {

std::vector<std::shared_ptr<AnimationGroup>>& openAnimations() {
    static std::vector<std::shared_ptr<AnimationGroup>> stack;
    return stack;
}

// The y of the cubic Bézier curve from (0,0) to (1,1) with control points (x1,y1), (x2,y2) at
// the point whose x is `x`, found by bisection (x grows monotonically along these curves).
double cubicBezier(double x1, double y1, double x2, double y2, double x) {
    auto coordinate = [](double p1, double p2, double s) {
        const double r = 1 - s;
        return 3 * r * r * s * p1 + 3 * r * s * s * p2 + s * s * s;
    };
    double low = 0;
    double high = 1;
    for (int i = 0; i < 40; ++i) {
        const double middle = (low + high) / 2;
        if (coordinate(x1, x2, middle) < x) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return coordinate(y1, y2, (low + high) / 2);
}

}  // namespace

double easedProgress(AnimationCurve curve, double t) {
    t = std::clamp(t, 0.0, 1.0);
    switch (curve) {
        case AnimationCurve::EaseInOut:
            return cubicBezier(0.42, 0, 0.58, 1, t);
        case AnimationCurve::EaseIn:
            return cubicBezier(0.42, 0, 1, 1, t);
        case AnimationCurve::EaseOut:
            return cubicBezier(0, 0, 0.58, 1, t);
        case AnimationCurve::Linear:
            break;
    }
    return t;
}

void animateViews(AnimationOptions options, const std::function<void()>& changes) {
    RunLoop& loop = RunLoop::main();
    const Nanoseconds start =
        loop.clock().now() + secondsToNanoseconds(std::max(0.0, options.delay));
    auto group = std::make_shared<AnimationGroup>(std::move(options), start);
    openAnimations().push_back(group);
    changes();
    openAnimations().pop_back();
    group->cacheTransitionEnds();
    group->scheduleEnd(group);
}

AnimationGroup::AnimationGroup(AnimationOptions options, Nanoseconds start)
    : options_(std::move(options)),
      start_(start),
      end_(start + secondsToNanoseconds(std::max(0.0, options_.duration))) {}

std::shared_ptr<AnimationGroup> AnimationGroup::current() {
    return openAnimations().empty() ? nullptr : openAnimations().back();
}

double AnimationGroup::progressAt(Nanoseconds now) const {
    if (now >= end_) {
        return 1;
    }
    if (now <= start_) {
        return 0;
    }
    return easedProgress(options_.curve,
                         static_cast<double>(now - start_) / static_cast<double>(end_ - start_));
}

void AnimationGroup::scheduleEnd(std::shared_ptr<AnimationGroup> self) {
    if (reported_) {
        return;
    }
    RunLoop& loop = RunLoop::main();
    const double delay = nanosecondsToSeconds(end_ - loop.clock().now());
    // The timer holds the group until it fires; the group only watches the timer, so a run loop
    // torn down early frees both.
    endTimer_ = loop.performAfterDelay(
        delay, [self = std::move(self)] { self->report(!self->interrupted_); });
}

void setAnimationTransition(ViewTransition transition, View& view) {
    std::shared_ptr<AnimationGroup> group = AnimationGroup::current();
    if (!group) {
        return;
    }
    if (view.transition_ && view.transition_->group == group) {
        view.transition_->transition = transition;  // set again in the same block
        return;
    }
    if (view.transition_ && view.transition_->group->isRunningAt(RunLoop::main().clock().now())) {
        view.transition_->group->propertyTakenOver();
    }
    group->propertyStarted();
    group->addTransitionView(view);
    view.transition_ = View::TransitionAnimation{transition, group,
                                                 Platform::current().makeViewImage(view), nullptr};
}

void AnimationGroup::forgetTransitionView(const View& view) {
    std::erase(transitionViews_, &view);
}

void AnimationGroup::cacheTransitionEnds() {
    for (View* view : std::exchange(transitionViews_, {})) {
        view->cacheTransitionEnd();
    }
}

void AnimationGroup::propertyTakenOver() {
    interrupted_ = true;
    if (--liveProperties_ == 0 && !reported_) {
        cancelEnd();
        reported_ = true;
        // Heard on the next turn of the loop, after the change that took over has returned.
        RunLoop::main().post([name = options_.name, didStop = options_.didStop] {
            if (didStop) {
                didStop(name, false);
            }
        });
    }
}

void AnimationGroup::propertyDropped() {
    interrupted_ = true;
    if (--liveProperties_ == 0 && !reported_) {
        cancelEnd();
        reported_ = true;
    }
}

void AnimationGroup::report(bool finished) {
    if (reported_) {
        return;
    }
    reported_ = true;
    if (options_.didStop) {
        options_.didStop(options_.name, finished);
    }
}

void AnimationGroup::cancelEnd() {
    if (std::shared_ptr<Timer> timer = endTimer_.lock()) {
        timer->invalidate();
    }
}
