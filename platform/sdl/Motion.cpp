// The visible tree's moving parts.
#include "platform/sdl/Motion.h"

#include "platform/ActivityIndicatorView.h"
#include "platform/ImageView.h"
#include "platform/View.h"

bool isMoving(const View& view) {
    if (view.isHidden()) {
        return false;
    }
    if (view.hasRunningAnimations()) {
        return true;
    }
    if (auto* image = dynamic_cast<const ImageView*>(&view); image && image->isAnimating()) {
        return true;
    }
    if (auto* indicator = dynamic_cast<const ActivityIndicatorView*>(&view);
        indicator && indicator->isAnimating()) {
        return true;
    }
    for (const View* subview : view.subviews()) {
        if (isMoving(*subview)) {
            return true;
        }
    }
    return false;
}
