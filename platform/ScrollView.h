// A view that shows part of a larger content and lets a finger move it. The content is the
// scroll view's subviews, laid out in content coordinates; the content offset is the bounds'
// origin, the point of the content shown at the top-left corner.
//
// A finger that lands on the content (a button, say) stays with it until it has moved a few
// points along a direction the content can scroll; the scroll view then takes it over and the
// content hears it cancelled. While dragged past an end the content follows the finger less and
// less (rubber band); let go, it springs back. A finger that leaves while moving lets the content
// glide on and slow down (deceleration). With paging, the content comes to rest on a whole page
// (the scroll view's size). All motion runs on run-loop timers, so it follows virtual time in
// tests; a drag in which no time passes (a scripted one) ends without momentum.
#pragma once

#include <memory>

#include "platform/View.h"

class ScrollView;
class Timer;

// What a scroll view tells about its motion. Every call is made on the main loop.
class ScrollViewDelegate {
public:
    virtual ~ScrollViewDelegate() = default;
    // The content offset changed, by a finger, a glide or the program.
    virtual void scrollViewDidScroll(ScrollView&) {}
    // A finger starts moving the content.
    virtual void scrollViewWillBeginDragging(ScrollView&) {}
    // The glide (or the settling on a page, or the spring back) after a drag came to rest.
    virtual void scrollViewDidEndDecelerating(ScrollView&) {}
};

class ScrollView : public View {
public:
    ScrollView();
    ~ScrollView() override;

    std::string_view typeName() const override { return "ScrollView"; }

    void setDelegate(ScrollViewDelegate* delegate) { delegate_ = delegate; }
    ScrollViewDelegate* delegate() const { return delegate_; }

    Size contentSize() const { return contentSize_; }
    void setContentSize(Size size) { contentSize_ = size; }
    Point contentOffset() const { return bounds().origin(); }
    // Any offset is taken as given, even past the ends; animated, the content glides there in
    // 0.3 s. A change stops a glide under way and tells the delegate.
    void setContentOffset(Point offset, bool animated = false);
    // The farthest offset that keeps content in view: the content size minus the view's size,
    // never below zero.
    Point maximumContentOffset() const;
    // Scrolls as little as needed for `rect` (content coordinates) to be in view.
    void scrollRectToVisible(Rect rect, bool animated);

    bool isPagingEnabled() const { return pagingEnabled_; }
    void setPagingEnabled(bool paging) { pagingEnabled_ = paging; }
    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }

    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return motion_ == Motion::Decelerating; }
    // The horizontal page nearest to the content offset (pages as wide as the view), from 0 to
    // the last page.
    int currentPage() const;

    bool takesOverTouch(const Touch& touch) const override;
    void touchesBegan(const TouchSet& touches, const TouchEvent& event) override;
    void touchesMoved(const TouchSet& touches, const TouchEvent& event) override;
    void touchesEnded(const TouchSet& touches, const TouchEvent& event) override;
    void touchesCancelled(const TouchSet& touches, const TouchEvent& event) override;

protected:
    // The content offset changed (before the delegate hears of it): a subclass that lays out
    // its content by what is in view does it here.
    virtual void contentOffsetDidChange() {}
    // The finger lifted without having dragged, and it had not landed on gliding content (that
    // finger only stops the glide): a tap at `location`, in content coordinates.
    virtual void didTap(Point location) { (void)location; }

private:
    enum class Motion { None, Gliding, Decelerating };

    bool canScrollHorizontally() const;
    bool canScrollVertically() const;
    bool isFinger(const TouchSet& touches) const;
    void applyOffset(Point offset);
    void followFinger(const Touch& touch);
    void release(bool keepMomentum);
    Point pageRestingOffset() const;
    Point clampedOffset(Point offset) const;

    void startTimer();
    void stopMotion();
    void tick();
    void glideTowards(Point target, double duration, Motion kind);
    void stepDeceleration(double seconds);
    void comeToRest();

    ScrollViewDelegate* delegate_ = nullptr;
    Size contentSize_;
    bool pagingEnabled_ = false;
    bool scrollEnabled_ = true;
    bool bounces_ = true;

    // The finger that moves the content (or may start to), and where the drag started.
    const Touch* finger_ = nullptr;
    bool dragging_ = false;
    bool caughtMotion_ = false;  // the finger landed on content in motion
    Point dragStartOffset_;
    Point velocity_;  // content points per second, in the direction the offset moves
    double lastMoveTime_ = 0;

    Motion motion_ = Motion::None;
    std::shared_ptr<Timer> timer_;
    double lastTick_ = 0;
    // A glide towards a target: from where to where, when it started and how long it takes
    // (zero for a free glide that slows down by itself).
    Point glideFrom_;
    Point glideTo_;
    double glideStart_ = 0;
    double glideDuration_ = 0;
};
