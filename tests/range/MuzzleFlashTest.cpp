// The flash meets the drawn muzzle: for every gun of the table on both profiles, the point where
// the picture generators put each gun's muzzle and each flash frame's burst, as the simulator
// screen shows them, lie on the same spot of the screen. The generators list those points in
// "gun_aim_points.txt" and "range_aim_points.txt" (file, x, y in the picture's pixels). The
// muzzle is on the screen, most of the gun view too, and the six guns drawn for the range only
// are wholly on it.
#include <cmath>
#include <fstream>
#include <map>
#include <set>

#include "platform/ImageView.h"
#include "platform/Pictures.h"
#include "range/RifleRangeGameController.h"
#include "range/SimulatorGunTable.h"
#include "tests/range/RangeSession.h"

namespace {

std::map<std::string, Point> readAimPoints() {
    std::map<std::string, Point> points;
    for (const char* list : {"gun_aim_points.txt", "range_aim_points.txt"}) {
        std::ifstream file(std::string(KALVORN_TEST_RESOURCES_DIR) + "/" + list);
        EXPECT_TRUE(file) << list;
        std::string name;
        Point point;
        while (file >> name >> point.x >> point.y) {
            points[name] = point;
        }
    }
    return points;
}

std::string onDevice(const std::string& name, bool tablet) {
    return tablet ? name.substr(0, name.rfind('.')) + "@2x" + name.substr(name.rfind('.')) : name;
}

// Where a point of the picture an image view shows, stretched over its bounds, is on screen.
Point onScreen(const ImageView& view, const std::string& picture, Point inPicture) {
    const std::optional<Size> natural = Pictures::naturalSize(picture);
    EXPECT_TRUE(natural) << picture;
    if (!natural) {
        return {};
    }
    const Rect bounds = view.bounds();
    return view.convertPointToWindow({bounds.x + inPicture.x * bounds.width / natural->width,
                                      bounds.y + inPicture.y * bounds.height / natural->height});
}

class MuzzleFlashTest : public ::testing::TestWithParam<bool> {
protected:
    RangeSession session{GetParam() ? DeviceProfile::tablet() : DeviceProfile::phone()};
    const std::map<std::string, Point> aims = readAimPoints();
};

TEST_P(MuzzleFlashTest, EveryFlashFrameBurstsFromTheDrawnMuzzle) {
    const bool tablet = GetParam();
    const Size screenSize = session.profile().screenSize();
    // The guns the range draws itself, written from the gun table's picture column.
    const std::set<std::string> ownPictures = {"ak47.png",     "m16.png",   "m249.png",
                                               "mossberg.png", "saiga.png", "spas.png"};
    ASSERT_EQ(simulatorGuns().size(), 22u);
    for (const SimulatorGunConfig& row : simulatorGuns()) {
        SCOPED_TRACE("gun " + std::to_string(row.id_gun));
        ASSERT_TRUE(session.run("open " + session.screenClass("RifleRangeGameController") + " " +
                                std::to_string(row.id_gun) + "\n"));
        RifleRangeGameController& screen = session.top<RifleRangeGameController>();
        const std::string picture = onDevice(row.image, tablet);
        ASSERT_TRUE(aims.contains(picture)) << "no muzzle listed for " << picture;
        const Point muzzle = onScreen(*screen.outlet<ImageView>("gun"), picture, aims.at(picture));
        EXPECT_GE(muzzle.x, 0);
        EXPECT_GE(muzzle.y, 0);
        EXPECT_LT(muzzle.x, screenSize.width);
        EXPECT_LT(muzzle.y, screenSize.height);

        // Every frame of the gun's flash kind, as the flash view shows it.
        const std::vector<std::string> frames =
            row.rodzajBlysku == 1
                ? std::vector<std::string>{"01b.png", "02b.png", "03b.png"}
                : std::vector<std::string>{"01masz.png", "02masz.png", "03masz.png", "04masz.png"};
        for (const std::string& frame : frames) {
            const std::string flash = onDevice(frame, tablet);
            ASSERT_TRUE(aims.contains(flash)) << "no burst listed for " << flash;
            const Point burst = onScreen(*screen.outlet<ImageView>("fire"), flash, aims.at(flash));
            EXPECT_LT(std::hypot(burst.x - muzzle.x, burst.y - muzzle.y), 1.0)
                << flash << " bursts at " << burst.x << "," << burst.y << ", the muzzle is at "
                << muzzle.x << "," << muzzle.y;
        }

        const Rect gunView = screen.outletView("gunview")->frame();
        const double shownWidth = std::min(gunView.x + gunView.width, screenSize.width) - gunView.x;
        const double shownHeight =
            std::min(gunView.y + gunView.height, screenSize.height) - gunView.y;
        EXPECT_GT(shownWidth * shownHeight, 0.5 * gunView.width * gunView.height);
        if (ownPictures.contains(row.image)) {
            EXPECT_LE(gunView.x + gunView.width, screenSize.width) << "wholly on the screen";
            EXPECT_LE(gunView.y + gunView.height, screenSize.height) << "wholly on the screen";
        }
        ASSERT_TRUE(session.run("action backClick\n"));
    }
}

std::string profileName(const ::testing::TestParamInfo<bool>& tablet) {
    return tablet.param ? "tablet" : "phone";
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, MuzzleFlashTest, ::testing::Values(false, true),
                         profileName);

}  // namespace
