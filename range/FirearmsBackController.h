// One page of the firearms gallery: a full-screen picture of the category that the
// application state holds. The tablet twin only selects the tablet profile.
#pragma once

#include <cstdint>

#include "platform/ViewController.h"

class ImageView;

class FirearmsBackController : public ViewController {
public:
    // initWithPageNumber:
    explicit FirearmsBackController(int32_t pageNumber,
                                    const DeviceProfile& profile = DeviceProfile::phone());

    void viewDidLoad() override;

    int32_t pageNumber() const { return pageNumber_; }

private:
    int32_t pageNumber_;
};

class FirearmsBackController_ipad : public FirearmsBackController {
public:
    explicit FirearmsBackController_ipad(int32_t pageNumber)
        : FirearmsBackController(pageNumber, DeviceProfile::tablet()) {}
};
