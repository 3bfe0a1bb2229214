// Image views: named pictures and clock-driven frame animations.
#include "platform/ImageView.h"

#include <cmath>
#include <utility>

#include "platform/Pictures.h"
#include "platform/RunLoop.h"

namespace {
constexpr double kDefaultFrameRate = 30;
// Clock times are whole nanoseconds, so a frame boundary reached by waiting exactly one frame
// time can fall a hair short of the exact quotient; a microsecond of slack counts it as reached.
constexpr double kClockSlack = 1e-6;
}  // namespace

ImageView::ImageView() {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(const std::string& image) : ImageView() {
    setImage(image);
    setFrame({0, 0, imageSize_.width, imageSize_.height});
}

void ImageView::setImage(const std::string& name) {
    std::optional<Size> size = name.empty() ? std::nullopt : Pictures::naturalSize(name);
    image_ = size ? name : "";
    imageSize_ = size.value_or(Size{});
}

void ImageView::setAnimationImages(std::vector<std::string> names) {
    animationImages_ = std::move(names);
}

double ImageView::passDuration() const {
    if (animationDuration_ > 0) {
        return animationDuration_;
    }
    return static_cast<double>(animationImages_.size()) / kDefaultFrameRate;
}

double ImageView::elapsed() const {
    return RunLoop::main().now() - *animationStart_ + kClockSlack;
}

void ImageView::startAnimating() {
    if (!animationImages_.empty()) {
        animationStart_ = RunLoop::main().now();
    }
}

bool ImageView::isAnimating() const {
    if (!animationStart_ || animationImages_.empty()) {
        return false;
    }
    if (animationRepeatCount_ <= 0) {
        return true;
    }
    return elapsed() < passDuration() * animationRepeatCount_;
}

std::string ImageView::currentImage() const {
    if (!isAnimating()) {
        return image_;
    }
    const double frameTime = passDuration() / static_cast<double>(animationImages_.size());
    const auto frame = static_cast<size_t>(std::floor(elapsed() / frameTime));
    return animationImages_[frame % animationImages_.size()];
}
