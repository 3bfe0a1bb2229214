// The simulator screen as it loads: every gun of the table on both profiles (picture, frames,
// magazine, sounds), the defaults a gun keeps, the opening smoke, and ids without a row.
#include <algorithm>
#include <cmath>

#include "platform/Bundle.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/Pictures.h"
#include "range/RifleRangeGameController.h"
#include "range/SimulatorGunTable.h"
#include "tests/range/RangeSession.h"

namespace {

std::string withAt2x(const std::string& name) {
    return name.substr(0, name.rfind('.')) + "@2x" + name.substr(name.rfind('.'));
}

std::vector<std::string> numbered(int first, int last, const std::string& suffix) {
    std::vector<std::string> names;
    for (int n = first; n <= last; ++n) {
        names.push_back((n < 10 ? "0" : "") + std::to_string(n) + suffix);
    }
    return names;
}

void expectFrame(const Rect& frame, double x, double y, double width, double height) {
    EXPECT_NEAR(frame.x, x, 1e-9);
    EXPECT_NEAR(frame.y, y, 1e-9);
    EXPECT_NEAR(frame.width, width, 1e-9);
    EXPECT_NEAR(frame.height, height, 1e-9);
}

class RifleRangeLoadTest : public ::testing::TestWithParam<bool> {
protected:
    RangeSession session{GetParam() ? DeviceProfile::tablet() : DeviceProfile::phone()};

    RifleRangeGameController& open(int idGun) {
        EXPECT_TRUE(session.run("open " + session.screenClass("RifleRangeGameController") + " " +
                                std::to_string(idGun) + "\n"));
        return session.top<RifleRangeGameController>();
    }
};

TEST_P(RifleRangeLoadTest, EveryGunIsConfiguredFromItsRow) {
    const bool tablet = GetParam();
    for (const SimulatorGunConfig& row : simulatorGuns()) {
        SCOPED_TRACE("gun " + std::to_string(row.id_gun));
        RifleRangeGameController& screen = open(row.id_gun);
        const SimulatorPlacement& placed = tablet ? row.tablet : row.phone;

        const std::string picture = tablet ? withAt2x(row.image) : row.image;
        auto* gun = screen.outlet<ImageView>("gun");
        ASSERT_NE(gun, nullptr);
        EXPECT_EQ(gun->image(), picture) << "the picture exists under its device name";
        EXPECT_EQ(gun->anchorPoint(), (Point{1, 1}));
        const std::optional<Size> natural = Pictures::naturalSize(picture);
        ASSERT_TRUE(natural);
        expectFrame(screen.outletView("gunview")->frame(), placed.gunOrigin.x, placed.gunOrigin.y,
                    natural->width * placed.scale, natural->height * placed.scale);
        // The gun stands at the range's bottom right; most of it is in view.
        const Rect gunFrame = screen.outletView("gunview")->frame();
        const Size shown = session.profile().screenSize();
        const double visibleWidth = std::min(gunFrame.x + gunFrame.width, shown.width) - gunFrame.x;
        const double visibleHeight =
            std::min(gunFrame.y + gunFrame.height, shown.height) - gunFrame.y;
        EXPECT_GT(visibleWidth * visibleHeight, 0.5 * gunFrame.width * gunFrame.height);
        expectFrame(screen.outletView("dymek")->frame(), placed.smokeOrigin.x, placed.smokeOrigin.y,
                    tablet ? 300 : 150, tablet ? 484 : 242);
        expectFrame(screen.outletView("fire")->frame(), placed.flashOrigin.x, placed.flashOrigin.y,
                    tablet ? 500 : 250, tablet ? 300 : 150);

        EXPECT_EQ(screen.rodzajBlysku(), row.rodzajBlysku);
        EXPECT_EQ(screen.rodzajStrzalu(), row.rodzajStrzalu ? row.rodzajStrzalu : "1");
        EXPECT_EQ(screen.rodzajReload(), row.rodzajReload ? row.rodzajReload : "load_handgun");
        EXPECT_EQ(screen.gunAmmo(), placed.gunAmmo);
        EXPECT_EQ(screen.ammoStatus(), placed.gunAmmo);
        EXPECT_EQ(screen.outlet<Label>("ammoLabel")->text(), std::to_string(placed.gunAmmo));
        EXPECT_EQ(screen.outlet<Label>("modeLabel")->text(), "1");
        EXPECT_EQ(screen.modeStatus(), 1);
        EXPECT_TRUE(screen.asNormal());
        EXPECT_TRUE(screen.outletView("fire")->isHidden());
        EXPECT_TRUE(screen.outletView("naboj")->isHidden());
        EXPECT_FALSE(screen.outletView("dymek")->isHidden());
        EXPECT_FALSE(screen.isTimerRunning());
    }
}

TEST_P(RifleRangeLoadTest, GunsWithoutTheirOwnSoundKeepTheDefaults) {
    EXPECT_EQ(open(8).rodzajStrzalu(), "1");
    EXPECT_EQ(open(5).rodzajReload(), "load_handgun");
    EXPECT_EQ(open(10).rodzajStrzalu(), "Walther_P38");
    EXPECT_EQ(open(10).gunAmmo(), 8);
    EXPECT_EQ(open(11).rodzajStrzalu(), "Walther_P38");
    EXPECT_EQ(open(11).gunAmmo(), 16);
    EXPECT_EQ(open(28).gunAmmo(), GetParam() ? 8 : 5);
    EXPECT_TRUE(session.run("open " + session.screenClass("RifleRangeGameController") +
                            " 24\nexpect ammoLabel.text = 200\nexpect modeLabel.text = 1\n"));
}

// Every sound the gun table names, the casing's and the three reloads' are resources.
TEST_P(RifleRangeLoadTest, EverySoundOfTheGunTableExists) {
    for (const char* name : {"Colt_1911",
                             "Cz_75",
                             "Desert_eagle",
                             "Glock_17c",
                             "Makarov",
                             "p08_Parabellum",
                             "1",
                             "Walther_P38",
                             "P90",
                             "MP40",
                             "Mp5",
                             "Ak_47",
                             "M16",
                             "Steyr_Aug",
                             "Stg_44",
                             "BAR1918",
                             "M249",
                             "Svd_Dragunov",
                             "Mossberg_500",
                             "Saiga",
                             "Spas_12",
                             "load_handgun",
                             "load_other",
                             "load_shotgun",
                             "luska_1"}) {
        EXPECT_TRUE(Bundle::main().pathForResource(name, "aif")) << name;
    }
}

TEST_P(RifleRangeLoadTest, TheOpeningSmokeAndOnThePhoneTheSmokeRoutine) {
    RifleRangeGameController& screen = open(18);
    auto* smoke = screen.outlet<ImageView>("dymek");
    EXPECT_TRUE(smoke->isAnimating());
    EXPECT_EQ(smoke->animationRepeatCount(), 1);
    if (GetParam()) {
        EXPECT_EQ(smoke->animationImages(), numbered(1, 25, ".png"));
        EXPECT_TRUE(session.sounds("luska_1").empty()) << "the tablet runs no smoke routine";
    } else {
        // The routine's smoke takes the place of the opening frames; its casing sound plays once.
        std::vector<std::string> frames(8, "00a.png");
        for (const std::string& frame : numbered(1, 35, "z.png")) {
            frames.push_back(frame);
        }
        EXPECT_EQ(smoke->animationImages(), frames);
        ASSERT_EQ(session.sounds("luska_1").size(), 1u);
        EXPECT_TRUE(session.sounds("luska_1")[0]->playing);
    }
    for (const std::string& frame : smoke->animationImages()) {
        EXPECT_TRUE(Pictures::path(frame)) << frame << " exists";
    }
}

TEST_P(RifleRangeLoadTest, AnIdWithoutARowHasAnEmptyMagazineAndNeverFires) {
    for (const char* id : {"17", "99", "1", "-3"}) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(session.run("open " + session.screenClass("RifleRangeGameController") + " " +
                                id +
                                "\nexpect ammoLabel.text = 0\nexpect gun.image = \n"
                                "tap active_gun\nwait 0.3\nexpect ammoLabel.text = 0\n"
                                "expect fire.hidden = true\naction reload\n"
                                "expect ammoLabel.text = 0\n"));
        RifleRangeGameController& screen = session.top<RifleRangeGameController>();
        EXPECT_EQ(screen.shotPlayer(0), nullptr);
        EXPECT_EQ(screen.ammoStatus(), 0);
    }
    EXPECT_FALSE(session.run("open RifleRangeGameController seven\n"));
}

std::string profileName(const ::testing::TestParamInfo<bool>& tablet) {
    return tablet.param ? "tablet" : "phone";
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, RifleRangeLoadTest, ::testing::Values(false, true),
                         profileName);

}  // namespace
