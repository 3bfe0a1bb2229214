// A view that shows a named picture of the bundle, or plays a sequence of pictures (a frame
// animation). A missing picture gives no image (an empty name) and size zero. The frame shown
// by an animation is derived from the run loop's clock, so it needs no timer.
#pragma once

#include <string>
#include <vector>

#include "platform/View.h"

class ImageView : public View {
public:
    ImageView();
    // Shows `image`, with a frame at the origin of the picture's natural size.
    explicit ImageView(const std::string& image);

    std::string_view typeName() const override { return "ImageView"; }

    // The picture shown when not animating: its name, or empty when there is none.
    const std::string& image() const { return image_; }
    void setImage(const std::string& name);
    // The natural size of image(); zero when there is none.
    Size imageSize() const { return imageSize_; }

    // Frame animation: `animationDuration` is the time of one pass (0: 1/30 s per picture);
    // `animationRepeatCount` the number of passes (0: without end).
    const std::vector<std::string>& animationImages() const { return animationImages_; }
    void setAnimationImages(std::vector<std::string> names);
    double animationDuration() const { return animationDuration_; }
    void setAnimationDuration(double seconds) { animationDuration_ = seconds; }
    int animationRepeatCount() const { return animationRepeatCount_; }
    void setAnimationRepeatCount(int count) { animationRepeatCount_ = count; }
    // Starts from the first picture (again, if already animating).
    void startAnimating();
    void stopAnimating() { animationStart_.reset(); }
    bool isAnimating() const;
    // The picture the window draws now: the animation's current frame, else image().
    std::string currentImage() const;

private:
    double passDuration() const;
    // Seconds since startAnimating().
    double elapsed() const;

    std::string image_;
    Size imageSize_;
    std::vector<std::string> animationImages_;
    double animationDuration_ = 0;
    int animationRepeatCount_ = 0;
    std::optional<double> animationStart_;
};
