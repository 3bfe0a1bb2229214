// A spinning "busy" indicator, hidden while it is not animating.
#pragma once

#include "platform/View.h"

class ActivityIndicatorView : public View {
public:
    ActivityIndicatorView() {
        setHidden(true);
        setUserInteractionEnabled(false);
    }

    std::string_view typeName() const override { return "ActivityIndicatorView"; }

    void startAnimating() {
        animating_ = true;
        setHidden(false);
    }
    void stopAnimating() {
        animating_ = false;
        setHidden(true);
    }
    bool isAnimating() const { return animating_; }

private:
    bool animating_ = false;
};
