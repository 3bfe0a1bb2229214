// A gallery page.
#include "range/FirearmsBackController.h"

#include "app/AppDelegate_All.h"
#include "platform/ImageView.h"
#include "range/FirearmsGalleryTable.h"

FirearmsBackController::FirearmsBackController(int32_t pageNumber, const DeviceProfile& profile)
    : ViewController(profile, "FirearmsBackController"), pageNumber_(pageNumber) {}

// A category the state does not know leaves the picture unset.
void FirearmsBackController::viewDidLoad() {
    ImageView* fireBackView = requireOutlet<ImageView>(*this, view(), "fireBackView");
    const FirearmsCategory* category =
        findFirearmsCategory(AppDelegate_All::shared().ktoreMenuFirearms);
    if (category) {
        fireBackView->setImage(firearmsPagePicture(*category, pageNumber_, profile().isTablet()));
    }
}
