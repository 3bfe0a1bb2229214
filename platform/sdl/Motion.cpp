// The visible tree's moving parts.
#include "platform/sdl/Motion.h"

#include <algorithm>
#include <cmath>

#include "platform/ActivityIndicatorView.h"
#include "platform/ImageView.h"
#include "platform/View.h"

namespace {
void earliest(std::optional<double>& result, double time) {
    result = result ? std::min(*result, time) : time;
}
}  // namespace

std::optional<double> nextChange(const View& view, double now) {
    if (view.isHidden()) {
        return std::nullopt;
    }
    if (view.hasRunningAnimations()) {
        return now;
    }
    if (auto* image = dynamic_cast<const ImageView*>(&view); image && image->isAnimating()) {
        return now;
    }
    std::optional<double> result;
    if (auto* indicator = dynamic_cast<const ActivityIndicatorView*>(&view);
        indicator && indicator->isAnimating()) {
        result = (std::floor(now * kIndicatorStepsPerSecond) + 1) / kIndicatorStepsPerSecond;
    }
    for (const View* subview : view.subviews()) {
        if (std::optional<double> next = nextChange(*subview, now)) {
            earliest(result, *next);
            if (*next <= now) {
                break;
            }
        }
    }
    return result;
}
