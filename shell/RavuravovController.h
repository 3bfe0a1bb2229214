// The gun encyclopedia: a list of 29 guns on the first face of the two-face view `obrot`;
// choosing one shows its page picture in `zmienBronView` and turns the view over to it.
#pragma once

#include <string>
#include <string_view>

#include "platform/ViewController.h"

class ImageView;
class flip;

class RavuravovController : public ViewController {
public:
    explicit RavuravovController(const DeviceProfile& profile = DeviceProfile::phone());

    void viewDidLoad() override;

    // The picture named `picture` becomes the page picture (none when there is no such
    // picture).
    void changeView(const std::string& picture);
    void backButton();

    ImageView* zmienBronView() const { return zmienBronView_; }
    flip* obrot() const { return obrot_; }

private:
    // A page action: the gun's picture, whose phone name is `phonePicture`, then the page.
    void showPage(std::string_view phonePicture);

    ImageView* zmienBronView_ = nullptr;
    flip* obrot_ = nullptr;
};

class RavuravovController_ipad : public RavuravovController {
public:
    RavuravovController_ipad() : RavuravovController(DeviceProfile::tablet()) {}
};
