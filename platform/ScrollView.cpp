// Dragging, rubber band, deceleration and paging of the scroll view.
#include "platform/ScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/RunLoop.h"
#include "platform/Touch.h"

namespace {

// A finger on the content becomes a drag once it has moved this far along a scrollable axis.
constexpr double kDragThreshold = 10;
constexpr double kFrameInterval = 1.0 / 60;
// The glide slows by this factor every millisecond, and stops below the resting speed.
constexpr double kDecelerationPerMillisecond = 0.998;
constexpr double kRestingSpeed = 5;
// Past an end the glide brakes hard, then springs back.
constexpr double kOvershootBrakingPerMillisecond = 0.985;
constexpr double kOvershootTurningSpeed = 30;
// A finger that rested this long before lifting throws nothing.
constexpr double kRestBeforeLift = 0.1;
// A lift this fast (points per second) turns a page even when less than half of it moved.
constexpr double kPageFlickSpeed = 300;
constexpr double kSettleDuration = 0.3;

// How far the content follows a finger `overshoot` points past an end of a view `length` long:
// less and less, never more than `length`.
double rubberBand(double overshoot, double length) {
    if (length <= 0) {
        return 0;
    }
    return (1 - 1 / (overshoot * 0.55 / length + 1)) * length;
}

double easeOut(double t) {
    return 1 - (1 - t) * (1 - t) * (1 - t);
}

// The page to rest on along one axis: the nearest, or the next one in the direction of a flick.
double restingPageOffset(double offset, double startOffset, double velocity, double pageLength,
                         double maximum) {
    if (pageLength <= 0) {
        return 0;
    }
    const double lastPage = std::ceil(maximum / pageLength - 1e-9);
    const double startPage = std::round(startOffset / pageLength);
    double page = std::round(offset / pageLength);
    if (velocity > kPageFlickSpeed && page <= startPage) {
        page = startPage + 1;
    } else if (velocity < -kPageFlickSpeed && page >= startPage) {
        page = startPage - 1;
    }
    return std::min(std::clamp(page, 0.0, lastPage) * pageLength, maximum);
}

}  // namespace

ScrollView::ScrollView() {
    setClipsToBounds(true);
}

ScrollView::~ScrollView() {
    if (timer_) {
        timer_->invalidate();
    }
}

Point ScrollView::maximumContentOffset() const {
    const Size size = bounds().size();
    return {std::max(0.0, contentSize_.width - size.width),
            std::max(0.0, contentSize_.height - size.height)};
}

bool ScrollView::canScrollHorizontally() const {
    return contentSize_.width > bounds().width;
}

bool ScrollView::canScrollVertically() const {
    return contentSize_.height > bounds().height;
}

Point ScrollView::clampedOffset(Point offset) const {
    const Point maximum = maximumContentOffset();
    return {std::clamp(offset.x, 0.0, maximum.x), std::clamp(offset.y, 0.0, maximum.y)};
}

int ScrollView::currentPage() const {
    const double width = bounds().width;
    if (width <= 0) {
        return 0;
    }
    const int lastPage =
        std::max(0, static_cast<int>(std::ceil(contentSize_.width / width - 1e-9)) - 1);
    return std::clamp(static_cast<int>(std::floor(contentOffset().x / width + 0.5)), 0, lastPage);
}

void ScrollView::applyOffset(Point offset) {
    if (offset == contentOffset()) {
        return;
    }
    setBoundsOrigin(offset);
    contentOffsetDidChange();
    if (delegate_) {
        delegate_->scrollViewDidScroll(*this);
    }
}

void ScrollView::setContentOffset(Point offset, bool animated) {
    stopMotion();
    if (animated) {
        glideTowards(offset, kSettleDuration, Motion::Gliding);
    } else {
        applyOffset(offset);
    }
}

void ScrollView::scrollRectToVisible(Rect rect, bool animated) {
    const Rect shown = bounds();
    auto axis = [](double start, double length, double shownStart, double shownLength) {
        if (start < shownStart || length > shownLength) {
            return start;
        }
        if (start + length > shownStart + shownLength) {
            return start + length - shownLength;
        }
        return shownStart;
    };
    const Point target = clampedOffset({axis(rect.x, rect.width, shown.x, shown.width),
                                        axis(rect.y, rect.height, shown.y, shown.height)});
    if (target != contentOffset()) {
        setContentOffset(target, animated);
    }
}

bool ScrollView::isFinger(const TouchSet& touches) const {
    return finger_ && std::find(touches.begin(), touches.end(), finger_) != touches.end();
}

bool ScrollView::takesOverTouch(const Touch& touch) const {
    if (!scrollEnabled_ || finger_ || isHidden() || !isUserInteractionEnabled()) {
        return false;
    }
    const Point start = touch.startLocationInView(nullptr);
    const Point now = touch.locationInView(nullptr);
    return (canScrollHorizontally() && std::abs(now.x - start.x) >= kDragThreshold) ||
           (canScrollVertically() && std::abs(now.y - start.y) >= kDragThreshold);
}

void ScrollView::touchesBegan(const TouchSet& touches, const TouchEvent& event) {
    // A finger that vanished with an earlier stay in the window no longer counts.
    const TouchSet& down = event.allTouches();
    if (finger_ && std::find(down.begin(), down.end(), finger_) != down.end()) {
        return;
    }
    finger_ = touches.front();
    dragging_ = false;
    velocity_ = {};
    lastMoveTime_ = finger_->timestamp();
    // A finger that lands on gliding content catches it where it is.
    caughtMotion_ = motion_ != Motion::None;
    stopMotion();
    dragStartOffset_ = contentOffset();
    // Taken over from the content: the finger already moved far enough to drag.
    if (finger_->phase() == TouchPhase::Moved) {
        followFinger(*finger_);
    }
}

void ScrollView::touchesMoved(const TouchSet& touches, const TouchEvent&) {
    if (isFinger(touches)) {
        followFinger(*finger_);
    }
}

void ScrollView::followFinger(const Touch& touch) {
    if (!scrollEnabled_) {
        return;
    }
    const Point start = touch.startLocationInView(nullptr);
    const Point now = touch.locationInView(nullptr);
    if (!dragging_) {
        const bool far = (canScrollHorizontally() && std::abs(now.x - start.x) >= kDragThreshold) ||
                         (canScrollVertically() && std::abs(now.y - start.y) >= kDragThreshold);
        if (!far) {
            return;
        }
        dragging_ = true;
        if (delegate_) {
            delegate_->scrollViewWillBeginDragging(*this);
        }
    }

    const Point previous = touch.previousLocationInView(nullptr);
    const double elapsed = touch.timestamp() - lastMoveTime_;
    if (elapsed > 0) {
        const Point instant{-(now.x - previous.x) / elapsed, -(now.y - previous.y) / elapsed};
        velocity_ = {0.8 * instant.x + 0.2 * velocity_.x, 0.8 * instant.y + 0.2 * velocity_.y};
        lastMoveTime_ = touch.timestamp();
    }

    const Point maximum = maximumContentOffset();
    const Size size = bounds().size();
    auto follow = [this](bool scrollable, double raw, double current, double most, double length) {
        if (!scrollable) {
            return current;
        }
        if (raw < 0) {
            return bounces_ ? -rubberBand(-raw, length) : 0.0;
        }
        if (raw > most) {
            return bounces_ ? most + rubberBand(raw - most, length) : most;
        }
        return raw;
    };
    const Point offset = contentOffset();
    applyOffset({follow(canScrollHorizontally(), dragStartOffset_.x - (now.x - start.x), offset.x,
                        maximum.x, size.width),
                 follow(canScrollVertically(), dragStartOffset_.y - (now.y - start.y), offset.y,
                        maximum.y, size.height)});
}

void ScrollView::touchesEnded(const TouchSet& touches, const TouchEvent&) {
    if (isFinger(touches)) {
        const bool rested = finger_->timestamp() - lastMoveTime_ > kRestBeforeLift;
        const bool tapped = !dragging_ && !caughtMotion_;
        const Point location = finger_->locationInView(this);
        release(!rested);
        if (tapped) {
            didTap(location);
        }
    }
}

void ScrollView::touchesCancelled(const TouchSet& touches, const TouchEvent&) {
    if (isFinger(touches)) {
        release(false);
    }
}

void ScrollView::release(bool keepMomentum) {
    finger_ = nullptr;
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    if (!keepMomentum) {
        velocity_ = {};
    }
    if (pagingEnabled_) {
        const Point target = pageRestingOffset();
        if (target != contentOffset()) {
            glideTowards(target, kSettleDuration, Motion::Decelerating);
        }
        return;
    }
    const Point inRange = clampedOffset(contentOffset());
    if (inRange != contentOffset()) {
        glideTowards(inRange, kSettleDuration, Motion::Decelerating);
    } else if (std::hypot(velocity_.x, velocity_.y) > kRestingSpeed) {
        motion_ = Motion::Decelerating;
        startTimer();
    }
}

Point ScrollView::pageRestingOffset() const {
    const Point offset = contentOffset();
    const Point maximum = maximumContentOffset();
    const Size size = bounds().size();
    return {
        canScrollHorizontally()
            ? restingPageOffset(offset.x, dragStartOffset_.x, velocity_.x, size.width, maximum.x)
            : offset.x,
        canScrollVertically()
            ? restingPageOffset(offset.y, dragStartOffset_.y, velocity_.y, size.height, maximum.y)
            : offset.y};
}

void ScrollView::startTimer() {
    lastTick_ = RunLoop::main().now();
    if (!timer_ || !timer_->isValid()) {
        timer_ = RunLoop::main().scheduleTimer(kFrameInterval, true, [this] { tick(); });
    }
}

void ScrollView::stopMotion() {
    motion_ = Motion::None;
    velocity_ = {};
    glideDuration_ = 0;
    if (timer_) {
        timer_->invalidate();
        timer_.reset();
    }
}

void ScrollView::glideTowards(Point target, double duration, Motion kind) {
    motion_ = kind;
    glideFrom_ = contentOffset();
    glideTo_ = target;
    glideStart_ = RunLoop::main().now();
    glideDuration_ = duration;
    startTimer();
}

void ScrollView::tick() {
    const double now = RunLoop::main().now();
    const double elapsed = now - lastTick_;
    lastTick_ = now;
    if (glideDuration_ > 0) {
        const double progress = std::min(1.0, (now - glideStart_) / glideDuration_);
        const double eased = easeOut(progress);
        applyOffset({glideFrom_.x + (glideTo_.x - glideFrom_.x) * eased,
                     glideFrom_.y + (glideTo_.y - glideFrom_.y) * eased});
        if (progress >= 1) {
            comeToRest();
        }
        return;
    }
    stepDeceleration(elapsed);
}

void ScrollView::stepDeceleration(double seconds) {
    const double milliseconds = seconds * 1000;
    const Point maximum = maximumContentOffset();
    Point offset = contentOffset();
    bool outside = false;
    auto step = [&](double& position, double& speed, double most) {
        const bool past = position < 0 || position > most;
        speed *= std::pow(past ? kOvershootBrakingPerMillisecond : kDecelerationPerMillisecond,
                          milliseconds);
        position += speed * seconds;
        if (!bounces_) {
            if (position < 0 || position > most) {
                speed = 0;
            }
            position = std::clamp(position, 0.0, most);
        }
        outside = outside || position < 0 || position > most;
    };
    step(offset.x, velocity_.x, maximum.x);
    step(offset.y, velocity_.y, maximum.y);
    applyOffset(offset);
    const double speed = std::hypot(velocity_.x, velocity_.y);
    if (outside && speed < kOvershootTurningSpeed) {
        glideTowards(clampedOffset(offset), kSettleDuration, Motion::Decelerating);
    } else if (!outside && speed < kRestingSpeed) {
        comeToRest();
    }
}

void ScrollView::comeToRest() {
    const bool decelerated = motion_ == Motion::Decelerating;
    stopMotion();
    if (decelerated && delegate_) {
        delegate_->scrollViewDidEndDecelerating(*this);
    }
}
