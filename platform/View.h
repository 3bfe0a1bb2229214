// A rectangular area of the screen in a tree of views. Geometry follows the handheld platform:
// a view has a bounds size, a center (where its anchor point sits in the superview), an anchor
// point (0..1 in each direction, the middle by default; rotation and scale pivot about it) and
// an affine transform; its frame is the box that encloses it in the superview. Subviews are
// drawn back to front, so the last one is on top.
//
// A superview usually owns its subviews; a view that is owned elsewhere (a controller's root
// view) can be added by reference, and leaves its superview when destroyed.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Responder.h"
#include "platform/ViewAnimation.h"

class Touch;
class ViewController;
class Window;

class View : public Responder {
public:
    View();
    explicit View(Rect frame);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // The kind of view, as layouts and scripts name it ("View", "ImageView", "Button", ...).
    virtual std::string_view typeName() const { return "View"; }
    // The outlet name given by the layout; also used to find views by name.
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Model geometry: set at once, also inside an animation.
    Rect frame() const;
    // With a transform other than the identity the frame's size sets the bounds size unscaled.
    void setFrame(Rect frame);
    Point center() const { return center_; }
    void setCenter(Point center);
    // The bounds' origin is the point of this view's coordinates shown at its top-left corner:
    // a scroll view moves it to show another part of its content. Other views keep (0, 0).
    Rect bounds() const { return {boundsOrigin_.x, boundsOrigin_.y, size_.width, size_.height}; }
    void setBoundsSize(Size size);
    void setBoundsOrigin(Point origin) { boundsOrigin_ = origin; }
    Point anchorPoint() const { return anchorPoint_; }
    // Changing the anchor point keeps the center, so the view moves, as on the device.
    void setAnchorPoint(Point anchorPoint) { anchorPoint_ = anchorPoint; }
    const AffineTransform& transform() const { return transform_; }
    void setTransform(const AffineTransform& transform);
    double alpha() const { return alpha_; }
    void setAlpha(double alpha);

    // What the window shows now: the model values, or the in-between values of animations.
    Rect presentedFrame() const;
    Point presentedCenter() const;
    Size presentedBoundsSize() const;
    AffineTransform presentedTransform() const;
    double presentedAlpha() const;
    bool hasRunningAnimations() const;
    // Ends every animation of this view: the presented values jump to the model values.
    void stopAnimations();

    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    const Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(Color color) { backgroundColor_ = color; }
    // Subviews are drawn only inside this view's bounds (touches never reach them outside).
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips) { clipsToBounds_ = clips; }

    // The tree.
    View* superview() const { return superview_; }
    const std::vector<View*>& subviews() const { return subviews_; }
    // Adds `view` on top of the other subviews and takes ownership of it.
    template <class T>
    T& addSubview(std::unique_ptr<T> view) {
        T& added = *view;
        insertOwnedSubview(std::move(view), subviews_.size());
        return added;
    }
    // Adds a view owned elsewhere (it must outlive its stay here or leave when destroyed).
    void addSubview(View& view);
    void insertSubview(std::unique_ptr<View> view, size_t index);
    void bringSubviewToFront(View& subview);
    void sendSubviewToBack(View& subview);
    // Leaves the superview; returns the view itself when the superview owned it (null otherwise
    // or when there was no superview).
    std::unique_ptr<View> removeFromSuperview();
    bool isDescendantOf(const View& ancestor) const;
    // This view or the first descendant (depth first, back to front) with that name.
    View* findViewNamed(std::string_view name);
    // The window whose tree holds this view, or null.
    Window* window() const;

    // Coordinates. A point in this view's coordinates is measured from its bounds' top-left.
    Point convertPointToSuperview(Point point) const;
    Point convertPointFromSuperview(Point point) const;
    Point convertPointToWindow(Point point) const;
    Point convertPointFromWindow(Point point) const;
    // `point` in this view's coordinates, in `other`'s coordinates (the window's when null).
    Point convertPoint(Point point, const View* other) const;

    bool pointInside(Point point) const;
    // The deepest visible, interaction-enabled view under `point` (in this view's coordinates),
    // topmost first; null when none.
    View* hitTest(Point point);

    // The controller whose root view this is, if any; it is this view's next responder.
    ViewController* viewController() const { return controller_; }
    void setViewController(ViewController* controller) { controller_ = controller; }
    // For the window that shows this view as its root view.
    void setRootOfWindow(Window* window) { window_ = window; }

    Responder* nextResponder() const override;

    // Asked by the window while `touch`, delivered to a view inside this one, moves: true takes
    // the finger over (a scroll view starting to drag). The window then cancels the touch for
    // the view that had it and delivers it here from then on, beginning with touchesBegan.
    virtual bool takesOverTouch(const Touch& touch) const;

    // Views of a class with outlets of its own: the layout lays out a view for each outlet and
    // hands it over unattached; the class decides when it shows it.
    virtual std::vector<std::string_view> outletNames() const { return {}; }
    // Takes the view laid out for `name`, one of outletNames().
    virtual void setViewOutlet(std::string_view name, std::unique_ptr<View> view) {
        (void)name;
        (void)view;
    }
    // Called once the whole layout the view came from is built, outlets and actions connected.
    virtual void awakeFromNib() {}

    // While a transition set with setAnimationTransition() runs: how far it is (0 to 1, eased)
    // and the cached pictures of the view before and after the animation's changes (null where
    // the drawing backend made none). Empty when no transition runs.
    struct PresentedTransition {
        ViewTransition transition;
        double progress;
        const ViewImage* before;
        const ViewImage* after;
    };
    std::optional<PresentedTransition> presentedTransition() const;

private:
    friend void setAnimationTransition(ViewTransition transition, View& view);
    friend class AnimationGroup;

    struct TransitionAnimation {
        ViewTransition transition;
        std::shared_ptr<AnimationGroup> group;
        std::shared_ptr<const ViewImage> before;
        std::shared_ptr<const ViewImage> after;
    };
    // The picture after the changes, taken when the animation block that began the
    // transition has made them.
    void cacheTransitionEnd();

    void insertOwnedSubview(std::unique_ptr<View> view, size_t index);
    void insertSubviewPointer(View& view, size_t index);
    void detachSubview(View& view);
    Point presentedPosition(Point center, Size size, const AffineTransform& transform,
                            Point local) const;

    std::string name_;
    Point center_;
    Size size_;
    Point boundsOrigin_;
    Point anchorPoint_{0.5, 0.5};
    AffineTransform transform_;
    double alpha_ = 1;
    bool hidden_ = false;
    bool userInteractionEnabled_ = true;
    bool clipsToBounds_ = false;
    Color backgroundColor_ = Color::clear();

    std::optional<PropertyAnimation<Point>> centerAnimation_;
    std::optional<PropertyAnimation<Size>> sizeAnimation_;
    std::optional<PropertyAnimation<AffineTransform>> transformAnimation_;
    std::optional<PropertyAnimation<double>> alphaAnimation_;
    std::optional<TransitionAnimation> transition_;

    View* superview_ = nullptr;
    std::vector<View*> subviews_;                       // back to front
    std::vector<std::unique_ptr<View>> ownedSubviews_;  // the subviews this view owns
    ViewController* controller_ = nullptr;
    Window* window_ = nullptr;
};
