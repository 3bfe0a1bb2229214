// View geometry, presented values of animations, the tree and hit testing.
#include "platform/View.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/ViewController.h"
#include "platform/Window.h"

namespace {

Nanoseconds now() {
    return RunLoop::main().clock().now();
}

double interpolate(double from, double to, double progress) {
    return from + (to - from) * progress;
}

Point interpolate(Point from, Point to, double progress) {
    return {interpolate(from.x, to.x, progress), interpolate(from.y, to.y, progress)};
}

Size interpolate(Size from, Size to, double progress) {
    return {interpolate(from.width, to.width, progress),
            interpolate(from.height, to.height, progress)};
}

// Transforms are interpolated as scale, rotation (the short way round) and translation, so a
// rotation animates as a turn rather than as a shrinking matrix.
AffineTransform interpolate(const AffineTransform& from, const AffineTransform& to,
                            double progress) {
    struct Parts {
        double scaleX, scaleY, angle;
    };
    auto decompose = [](const AffineTransform& t) {
        const double scaleX = std::hypot(t.a, t.b);
        const double scaleY = scaleX == 0 ? std::hypot(t.c, t.d) : (t.a * t.d - t.b * t.c) / scaleX;
        return Parts{scaleX, scaleY, std::atan2(t.b, t.a)};
    };
    const Parts a = decompose(from);
    const Parts b = decompose(to);
    double turn = b.angle - a.angle;
    turn = std::remainder(turn, 2 * std::numbers::pi);
    const double angle = a.angle + turn * progress;
    const double scaleX = interpolate(a.scaleX, b.scaleX, progress);
    const double scaleY = interpolate(a.scaleY, b.scaleY, progress);
    return {scaleX * std::cos(angle),
            scaleX * std::sin(angle),
            -scaleY * std::sin(angle),
            scaleY * std::cos(angle),
            interpolate(from.tx, to.tx, progress),
            interpolate(from.ty, to.ty, progress)};
}

template <class Value>
Value presentedValue(const std::optional<PropertyAnimation<Value>>& animation, const Value& model) {
    if (!animation) {
        return model;
    }
    const double progress = animation->group->progressAt(now());
    return progress >= 1 ? model : interpolate(animation->from, model, progress);
}

// A property is about to change: a running animation of it is taken over, and inside
// animateViews() a new one starts from the value shown now.
template <class Value>
void retarget(std::optional<PropertyAnimation<Value>>& animation, const Value& shownNow) {
    std::shared_ptr<AnimationGroup> group = AnimationGroup::current();
    if (animation && group && animation->group == group) {
        return;  // changed again by the same animation: it still starts where it started
    }
    if (animation && animation->group->isRunningAt(now())) {
        animation->group->propertyTakenOver();
    }
    animation.reset();
    if (group) {
        group->propertyStarted();
        animation = PropertyAnimation<Value>{shownNow, std::move(group)};
    }
}

template <class Value>
bool isRunning(const std::optional<PropertyAnimation<Value>>& animation) {
    return animation && animation->group->isRunningAt(now());
}

template <class Value>
void stop(std::optional<PropertyAnimation<Value>>& animation) {
    if (isRunning(animation)) {
        animation->group->propertyTakenOver();
    }
    animation.reset();
}

template <class Value>
void drop(std::optional<PropertyAnimation<Value>>& animation) {
    if (isRunning(animation)) {
        animation->group->propertyDropped();
    }
    animation.reset();
}

}  // namespace

View::View() = default;

View::View(Rect frame) {
    setFrame(frame);
}

View::~View() {
    drop(centerAnimation_);
    drop(sizeAnimation_);
    drop(transformAnimation_);
    drop(alphaAnimation_);
    if (transition_) {
        transition_->group->forgetTransitionView(*this);
        if (transition_->group->isRunningAt(now())) {
            transition_->group->propertyDropped();
        }
    }
    if (superview_) {
        if (Window* shownIn = window()) {
            shownIn->viewWillLeave(*this);
        }
        superview_->detachSubview(*this);
    }
    for (View* subview : subviews_) {
        subview->superview_ = nullptr;
    }
    subviews_.clear();
    ownedSubviews_.clear();
}

Point View::presentedPosition(Point center, Size size, const AffineTransform& transform,
                              Point local) const {
    const Point offset{local.x - anchorPoint_.x * size.width,
                       local.y - anchorPoint_.y * size.height};
    const Point moved = transform.apply(offset);
    return {center.x + moved.x, center.y + moved.y};
}

Rect View::frame() const {
    const Point corners[4] = {
        presentedPosition(center_, size_, transform_, {0, 0}),
        presentedPosition(center_, size_, transform_, {size_.width, 0}),
        presentedPosition(center_, size_, transform_, {0, size_.height}),
        presentedPosition(center_, size_, transform_, {size_.width, size_.height}),
    };
    return enclosingBox(corners);
}

void View::setFrame(Rect frame) {
    setBoundsSize(frame.size());
    setCenter({frame.x + anchorPoint_.x * frame.width, frame.y + anchorPoint_.y * frame.height});
}

void View::setCenter(Point center) {
    retarget(centerAnimation_, presentedCenter());
    center_ = center;
}

void View::setBoundsSize(Size size) {
    retarget(sizeAnimation_, presentedBoundsSize());
    size_ = size;
}

void View::setTransform(const AffineTransform& transform) {
    retarget(transformAnimation_, presentedTransform());
    transform_ = transform;
}

void View::setAlpha(double alpha) {
    retarget(alphaAnimation_, presentedAlpha());
    alpha_ = std::clamp(alpha, 0.0, 1.0);
}

Rect View::presentedFrame() const {
    const Point center = presentedCenter();
    const Size size = presentedBoundsSize();
    const AffineTransform transform = presentedTransform();
    const Point corners[4] = {
        presentedPosition(center, size, transform, {0, 0}),
        presentedPosition(center, size, transform, {size.width, 0}),
        presentedPosition(center, size, transform, {0, size.height}),
        presentedPosition(center, size, transform, {size.width, size.height}),
    };
    return enclosingBox(corners);
}

Point View::presentedCenter() const {
    return presentedValue(centerAnimation_, center_);
}

Size View::presentedBoundsSize() const {
    return presentedValue(sizeAnimation_, size_);
}

AffineTransform View::presentedTransform() const {
    return presentedValue(transformAnimation_, transform_);
}

double View::presentedAlpha() const {
    return presentedValue(alphaAnimation_, alpha_);
}

bool View::hasRunningAnimations() const {
    return isRunning(centerAnimation_) || isRunning(sizeAnimation_) ||
           isRunning(transformAnimation_) || isRunning(alphaAnimation_) ||
           presentedTransition().has_value();
}

void View::stopAnimations() {
    stop(centerAnimation_);
    stop(sizeAnimation_);
    stop(transformAnimation_);
    stop(alphaAnimation_);
    if (transition_ && transition_->group->isRunningAt(now())) {
        transition_->group->propertyTakenOver();
    }
    transition_.reset();
}

std::optional<View::PresentedTransition> View::presentedTransition() const {
    if (!transition_ || !transition_->group->isRunningAt(now())) {
        return std::nullopt;
    }
    return PresentedTransition{transition_->transition, transition_->group->progressAt(now()),
                               transition_->before.get(), transition_->after.get()};
}

void View::cacheTransitionEnd() {
    if (transition_) {
        transition_->after = Platform::current().makeViewImage(*this);
    }
}

void View::addSubview(View& view) {
    if (view.superview_ == this) {
        bringSubviewToFront(view);
        return;
    }
    if (std::unique_ptr<View> owned = view.removeFromSuperview()) {
        insertOwnedSubview(std::move(owned), subviews_.size());
    } else {
        insertSubviewPointer(view, subviews_.size());
    }
}

void View::insertSubview(std::unique_ptr<View> view, size_t index) {
    insertOwnedSubview(std::move(view), index);
}

void View::insertOwnedSubview(std::unique_ptr<View> view, size_t index) {
    View& added = *view;
    ownedSubviews_.push_back(std::move(view));
    insertSubviewPointer(added, index);
}

void View::insertSubviewPointer(View& view, size_t index) {
    if (view.superview_) {
        view.removeFromSuperview();
    }
    view.superview_ = this;
    subviews_.insert(
        subviews_.begin() + static_cast<std::ptrdiff_t>(std::min(index, subviews_.size())), &view);
}

void View::bringSubviewToFront(View& subview) {
    auto it = std::find(subviews_.begin(), subviews_.end(), &subview);
    if (it != subviews_.end()) {
        subviews_.erase(it);
        subviews_.push_back(&subview);
    }
}

void View::sendSubviewToBack(View& subview) {
    auto it = std::find(subviews_.begin(), subviews_.end(), &subview);
    if (it != subviews_.end()) {
        subviews_.erase(it);
        subviews_.insert(subviews_.begin(), &subview);
    }
}

std::unique_ptr<View> View::removeFromSuperview() {
    View* parent = superview_;
    if (!parent) {
        return nullptr;
    }
    if (Window* shownIn = window()) {
        shownIn->viewWillLeave(*this);
    }
    parent->detachSubview(*this);
    auto owned =
        std::find_if(parent->ownedSubviews_.begin(), parent->ownedSubviews_.end(),
                     [this](const std::unique_ptr<View>& view) { return view.get() == this; });
    if (owned == parent->ownedSubviews_.end()) {
        return nullptr;
    }
    std::unique_ptr<View> self = std::move(*owned);
    parent->ownedSubviews_.erase(owned);
    return self;
}

void View::detachSubview(View& view) {
    std::erase(subviews_, &view);
    view.superview_ = nullptr;
}

bool View::isDescendantOf(const View& ancestor) const {
    for (const View* view = this; view; view = view->superview_) {
        if (view == &ancestor) {
            return true;
        }
    }
    return false;
}

View* View::findViewNamed(std::string_view name) {
    if (name_ == name) {
        return this;
    }
    for (View* subview : subviews_) {
        if (View* found = subview->findViewNamed(name)) {
            return found;
        }
    }
    return nullptr;
}

Window* View::window() const {
    const View* top = this;
    while (top->superview_) {
        top = top->superview_;
    }
    return top->window_;
}

Point View::convertPointToSuperview(Point point) const {
    return presentedPosition(center_, size_, transform_,
                             {point.x - boundsOrigin_.x, point.y - boundsOrigin_.y});
}

Point View::convertPointFromSuperview(Point point) const {
    const Point offset = transform_.inverted().apply({point.x - center_.x, point.y - center_.y});
    return {offset.x + anchorPoint_.x * size_.width + boundsOrigin_.x,
            offset.y + anchorPoint_.y * size_.height + boundsOrigin_.y};
}

Point View::convertPointToWindow(Point point) const {
    for (const View* view = this; view->superview_; view = view->superview_) {
        point = view->convertPointToSuperview(point);
    }
    return point;
}

Point View::convertPointFromWindow(Point point) const {
    if (superview_) {
        point = superview_->convertPointFromWindow(point);
        return convertPointFromSuperview(point);
    }
    return point;
}

Point View::convertPoint(Point point, const View* other) const {
    const Point inWindow = convertPointToWindow(point);
    return other ? other->convertPointFromWindow(inWindow) : inWindow;
}

bool View::pointInside(Point point) const {
    return bounds().contains(point);
}

View* View::hitTest(Point point) {
    if (hidden_ || !userInteractionEnabled_ || alpha_ < 0.01 || !pointInside(point)) {
        return nullptr;
    }
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        if (View* hit = (*it)->hitTest((*it)->convertPointFromSuperview(point))) {
            return hit;
        }
    }
    return this;
}

bool View::takesOverTouch(const Touch&) const {
    return false;
}

Responder* View::nextResponder() const {
    if (controller_) {
        return controller_;
    }
    return superview_;
}
