// Turning the encyclopedia over between its two faces.
#include "shell/FlipView.h"

#include "platform/ViewAnimation.h"

namespace {
constexpr double kTurnSeconds = 1.0;
}  // namespace

flip::flip() {
    addAction("go", [this] { go(); });
    addAction("back", [this] { back(); });
}

void flip::setViewOutlet(std::string_view name, std::unique_ptr<View> view) {
    if (name == "main") {
        main_ = std::move(view);
    } else if (name == "sponsor") {
        sponsor_ = std::move(view);
    }
}

void flip::awakeFromNib() {
    if (main_) {
        addSubview(*main_);
    }
}

void flip::go() {
    turn(ViewTransition::FlipFromLeft, main_.get(), sponsor_.get());
}

void flip::back() {
    turn(ViewTransition::FlipFromRight, sponsor_.get(), main_.get());
}

void flip::turn(ViewTransition transition, View* leaving, View* arriving) {
    animateViews({"flip", kTurnSeconds, 0, AnimationCurve::EaseInOut, nullptr}, [&] {
        setAnimationTransition(transition, *this);
        if (leaving) {
            leaving->removeFromSuperview();
        }
        if (arriving) {
            addSubview(*arriving);
        }
    });
}
