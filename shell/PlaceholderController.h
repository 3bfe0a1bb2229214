// A plain screen with a title and a back button, standing in for a screen the game does not
// have yet, so every entry of the menu leads somewhere and back.
#pragma once

#include <string>

#include "platform/ViewController.h"

class PlaceholderController : public ViewController {
public:
    PlaceholderController(const DeviceProfile& profile, std::string title);

    void viewDidLoad() override;
    void backButton();

private:
    std::string title_;
};
