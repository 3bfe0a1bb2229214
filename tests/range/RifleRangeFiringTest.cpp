// Firing as a player meets it: single shots and their two ticks, the eight sound slots, bursts
// held and released, smoke and the casing sound, the mode control, the empty magazine and
// reload, a press between the ticks of a shot, a mode change or a lost finger during a press,
// and leaving during a burst.
#include <cmath>

#include <optional>

#include "platform/ImageView.h"
#include "platform/Pictures.h"
#include "platform/RunLoop.h"
#include "platform/SoundPlayer.h"
#include "range/RifleRangeGameController.h"
#include "tests/range/RangeSession.h"
#include "tests/support/ResourcesWithout.h"

namespace {

const std::string kAutomatic = "\xE2\x88\x9E";

double tilt(const View& view) {
    return std::atan2(view.transform().b, view.transform().a);
}

class RifleRangeFiringTest : public ::testing::Test {
protected:
    RifleRangeGameController& open(int idGun, RangeSession& on) {
        EXPECT_TRUE(on.run("open " + on.screenClass("RifleRangeGameController") + " " +
                           std::to_string(idGun) + "\n"));
        return on.top<RifleRangeGameController>();
    }
    RifleRangeGameController& open(int idGun) { return open(idGun, session); }
    size_t casings() const { return session.sounds("luska_1").size(); }
    View& gun() { return *session.top<RifleRangeGameController>().outletView("gun"); }

    // One application state at a time: a test of the tablet lets the phone's go first.
    std::optional<RangeSession> phone{std::in_place};
    RangeSession& session{*phone};
};

TEST_F(RifleRangeFiringTest, ASingleShotTakesTwoTicks) {
    RifleRangeGameController& screen = open(2);
    const size_t casingsAtLoad = casings();
    ASSERT_TRUE(session.run("tap active_gun\n"));
    EXPECT_EQ(casings(), casingsAtLoad + 1) << "a single shot smokes at the press";
    EXPECT_TRUE(screen.isTimerRunning());
    EXPECT_EQ(screen.animateMaxRepeat(), 2);
    EXPECT_TRUE(session.sounds("Colt_1911").empty());

    ASSERT_TRUE(session.run("wait 0.05\nexpect fire.hidden = false\nexpect ammoLabel.text = 7\n"));
    ASSERT_EQ(session.sounds("Colt_1911").size(), 1u);
    EXPECT_TRUE(session.sounds("Colt_1911")[0]->playing);
    EXPECT_EQ(screen.shotPlayer(0) != nullptr, true) << "the first shot is in slot play";
    EXPECT_EQ(screen.outlet<ImageView>("fire")->animationImages(),
              (std::vector<std::string>{"01b.png", "02b.png", "03b.png"}));
    EXPECT_EQ(screen.outlet<ImageView>("fire")->animationRepeatCount(), 1);
    for (const std::string& frame : screen.outlet<ImageView>("fire")->animationImages()) {
        EXPECT_TRUE(Pictures::path(frame)) << frame << " exists";
    }
    EXPECT_NEAR(tilt(gun()), 0.0157, 1e-9);
    EXPECT_FALSE(screen.asNormal());

    ASSERT_TRUE(session.run("wait 0.05\nexpect ammoLabel.text = 6\n"));
    EXPECT_TRUE(gun().transform().isIdentity()) << "the tilt is reset when the shot ends";
    EXPECT_FALSE(screen.isTimerRunning());
    EXPECT_TRUE(screen.asNormal());
    ASSERT_TRUE(session.run("wait 0.5\nexpect ammoLabel.text = 6\n"));
    EXPECT_EQ(session.sounds("Colt_1911").size(), 1u);
}

TEST_F(RifleRangeFiringTest, MissingSoundsLeaveTheShotAndTheReloadAsTheyAre) {
    ResourcesWithout missing({"Glock_17c.aif", "luska_1.aif", "load_handgun.aif"});
    RifleRangeGameController& screen = open(5);
    ASSERT_TRUE(
        session.run("tap active_gun\nwait 0.05\nexpect fire.hidden = false\n"
                    "wait 0.05\nexpect ammoLabel.text = 16\n"));
    EXPECT_TRUE(gun().transform().isIdentity());
    EXPECT_FALSE(screen.isTimerRunning());
    for (const char* name : {"Glock_17c", "luska_1"}) {
        ASSERT_FALSE(session.sounds(name).empty()) << name;
        EXPECT_FALSE(session.sounds(name).back()->resourceFound) << name;
    }
    ASSERT_TRUE(
        session.run("tap active_gun\nwait 0.1\nexpect ammoLabel.text = 15\n"
                    "action reload\nexpect ammoLabel.text = 17\n"));
    EXPECT_EQ(screen.ammoStatus(), 17);
}

TEST_F(RifleRangeFiringTest, TheReturnHalfTiltsFurtherBeforeTheShotEnds) {
    // With two shots per press the return tilt of the first shot is seen before the second.
    RifleRangeGameController& screen = open(12);
    ASSERT_TRUE(session.run("action changeMode\ndown active_gun\nwait 0.1\n"));
    EXPECT_NEAR(tilt(gun()), 0.0209333, 1e-9);
    EXPECT_EQ(screen.ammoStatus(), 49);
    ASSERT_TRUE(session.run("up\n"));
}

TEST_F(RifleRangeFiringTest, TheNinthShotReusesSlotPlay) {
    RifleRangeGameController& screen = open(3);  // 16 rounds
    for (int shot = 0; shot < 9; ++shot) {
        ASSERT_TRUE(session.run("tap active_gun\nwait 0.2\n"));
    }
    const auto shots = session.sounds("Cz_75");
    ASSERT_EQ(shots.size(), 9u);
    EXPECT_TRUE(shots[0]->released) << "the ninth shot ended the first shot's player";
    for (size_t i = 1; i < 9; ++i) {
        EXPECT_FALSE(shots[i]->released) << i;
    }
    EXPECT_EQ(screen.ktoryStrzal(), 1);
    EXPECT_EQ(screen.ammoStatus(), 7);
}

TEST_F(RifleRangeFiringTest, AHeldBurstEmptiesTenRoundsInAboutASecondAndSmokesOnce) {
    RifleRangeGameController& screen = open(26);  // 10 rounds, select fire
    const size_t casingsAtLoad = casings();
    ASSERT_TRUE(session.run("action changeMode\nexpect modeLabel.text = " + kAutomatic +
                            "\ndown active_gun\nwait 0.5\n"));
    EXPECT_EQ(screen.animateMaxRepeat(), 10000);
    EXPECT_EQ(casings(), casingsAtLoad) << "automatic fire smokes only at its end";
    EXPECT_EQ(screen.ammoStatus(), 5);
    ASSERT_TRUE(session.run("wait 0.5\nexpect ammoLabel.text = 0\nwait 1\n"));
    EXPECT_EQ(session.sounds("Svd_Dragunov").size(), 10u);
    EXPECT_EQ(casings(), casingsAtLoad + 1);
    EXPECT_TRUE(gun().transform().isIdentity());
    EXPECT_TRUE(screen.isTimerRunning()) << "the empty clock idles until the release";
    ASSERT_TRUE(session.run("up\n"));
    EXPECT_FALSE(screen.isTimerRunning());
    EXPECT_EQ(casings(), casingsAtLoad + 1) << "no smoke at a release on an empty magazine";
    EXPECT_EQ(screen.outlet<ImageView>("fire")->animationImages().size(), 4u);
}

TEST_F(RifleRangeFiringTest, ReleasingABurstWithRoundsLeftSmokesAndStops) {
    RifleRangeGameController& screen = open(15);
    const size_t casingsAtLoad = casings();
    ASSERT_TRUE(session.run("action changeMode\ndown active_gun\nwait 0.325\n"));
    EXPECT_FALSE(gun().transform().isIdentity());
    ASSERT_TRUE(session.run("up\n"));
    EXPECT_EQ(casings(), casingsAtLoad + 1);
    EXPECT_TRUE(gun().transform().isIdentity());
    EXPECT_FALSE(screen.isTimerRunning());
    EXPECT_EQ(screen.ammoStatus(), 27);
    ASSERT_TRUE(session.run("wait 1\nexpect ammoLabel.text = 27\n"));
}

TEST_F(RifleRangeFiringTest, TheLastSingleRoundPlaysTheCasingSoundTwice) {
    RifleRangeGameController& screen = open(28);  // 5 rounds on the phone
    for (int shot = 0; shot < 4; ++shot) {
        ASSERT_TRUE(session.run("tap active_gun\nwait 0.2\n"));
    }
    const size_t before = casings();
    ASSERT_TRUE(session.run("tap active_gun\nwait 0.2\nexpect ammoLabel.text = 0\n"));
    EXPECT_EQ(casings(), before + 2);
    EXPECT_EQ(screen.ammoStatus(), 0);
}

TEST_F(RifleRangeFiringTest, TheModeControlCyclesOnlyOnSelectFireGuns) {
    ASSERT_TRUE(
        session.run("open RifleRangeGameController 20\n"
                    "action changeMode\nexpect modeLabel.text = " +
                    kAutomatic +
                    "\n"
                    "action changeMode\nexpect modeLabel.text = 1\n"
                    "tap modeButton\nexpect modeLabel.text = " +
                    kAutomatic + "\n"));
    EXPECT_EQ(session.top<RifleRangeGameController>().modeStatus(), 2);
    ASSERT_TRUE(
        session.run("open RifleRangeGameController 29\n"
                    "action changeMode\nexpect modeLabel.text = 1\n"
                    "action changeMode\nexpect modeLabel.text = 1\n"));
    ASSERT_TRUE(
        session.run("open RifleRangeGameController 17\n"
                    "action changeMode\nexpect modeLabel.text = 1\n"));
    EXPECT_EQ(session.top<RifleRangeGameController>().modeStatus(), 1);
}

TEST_F(RifleRangeFiringTest, AnEmptyMagazineCountsPressesUntilAReload) {
    RifleRangeGameController& screen = open(2);
    for (int shot = 0; shot < 7; ++shot) {
        ASSERT_TRUE(session.run("tap active_gun\nwait 0.2\n"));
    }
    const size_t casingsWhenEmpty = casings();
    ASSERT_TRUE(session.run("tap active_gun\nwait 0.2\ntap active_gun\nwait 0.2\n"));
    EXPECT_EQ(screen.ktoreKlikniecie(), 2);
    EXPECT_EQ(casings(), casingsWhenEmpty) << "an empty magazine makes no smoke";
    EXPECT_EQ(session.sounds("Colt_1911").size(), 7u) << "nor a sound";
    EXPECT_FALSE(screen.isTimerRunning()) << "the release stopped the empty clock";

    ASSERT_TRUE(session.run("tap reloadButton\nexpect ammoLabel.text = 7\n"));
    EXPECT_EQ(screen.ktoreKlikniecie(), 0);
    EXPECT_EQ(screen.ammoStatus(), 7);
    ASSERT_EQ(session.sounds("load_handgun").size(), 1u);
    EXPECT_TRUE(session.sounds("load_handgun")[0]->playing);
}

TEST_F(RifleRangeFiringTest, AReloadDuringABurstFiresOnFromAFullMagazine) {
    RifleRangeGameController& screen = open(14);  // 32 rounds
    ASSERT_TRUE(
        session.run("action changeMode\ndown active_gun\nwait 0.5\naction reload\n"
                    "expect ammoLabel.text = 32\nwait 0.5\n"));
    EXPECT_EQ(screen.ammoStatus(), 27);
    ASSERT_EQ(session.sounds("load_other").size(), 1u);
    ASSERT_TRUE(session.run("up\n"));
}

TEST_F(RifleRangeFiringTest, APressBetweenTheTicksOfAShotStartsWithTheReturnHalf) {
    RifleRangeGameController& screen = open(6);  // 8 rounds
    ASSERT_TRUE(session.run("tap active_gun\nwait 0.05\n"));
    EXPECT_FALSE(screen.asNormal());
    EXPECT_EQ(session.sounds("Makarov").size(), 1u);
    ASSERT_TRUE(session.run("tap active_gun\nwait 0.05\nexpect ammoLabel.text = 7\n"));
    EXPECT_EQ(session.sounds("Makarov").size(), 1u) << "the new press counted the round first";
    ASSERT_TRUE(session.run("wait 0.05\n"));
    EXPECT_EQ(session.sounds("Makarov").size(), 2u) << "its sound comes on the second tick";
    EXPECT_FALSE(screen.isTimerRunning());
    EXPECT_EQ(screen.ammoStatus(), 7);
}

TEST_F(RifleRangeFiringTest, AReleaseActsByTheModeItsPressStartedWith) {
    // Switched to single fire during a burst: the release still ends the burst.
    RifleRangeGameController& screen = open(12);
    ASSERT_TRUE(
        session.run("action changeMode\ndown active_gun\nwait 0.3\naction changeMode\n"
                    "expect modeLabel.text = 1\nup\n"));
    EXPECT_FALSE(screen.isTimerRunning());
    EXPECT_TRUE(gun().transform().isIdentity());
    ASSERT_TRUE(session.run("wait 2\nexpect ammoLabel.text = 47\n"));

    // Switched to automatic fire between the ticks of a single shot: the shot completes and
    // its round is counted.
    ASSERT_TRUE(
        session.run("down active_gun\nwait 0.05\naction changeMode\n"
                    "expect modeLabel.text = " +
                    kAutomatic + "\nup\nwait 0.3\nexpect ammoLabel.text = 46\n"));
    EXPECT_EQ(session.sounds("P90").size(), 4u);
    EXPECT_FALSE(screen.isTimerRunning());
}

TEST_F(RifleRangeFiringTest, ALostFingerEndsABurstLikeARelease) {
    RifleRangeGameController& screen = open(24);
    const size_t casingsAtLoad = casings();
    ASSERT_TRUE(
        session.run("action changeMode\ndown active_gun\nwait 0.2\ncancel\nwait 1\n"
                    "expect ammoLabel.text = 198\n"));
    EXPECT_FALSE(screen.isTimerRunning());
    EXPECT_EQ(casings(), casingsAtLoad + 1);
}

TEST_F(RifleRangeFiringTest, ATapElsewhereDuringABurstLeavesItFiring) {
    RifleRangeGameController& screen = open(21);
    ASSERT_TRUE(
        session.run("action changeMode\ndown active_gun\nwait 0.2\ntap 240,300\n"
                    "wait 0.3\nexpect ammoLabel.text = 25\nup\n"));
    EXPECT_FALSE(screen.isTimerRunning());
}

TEST_F(RifleRangeFiringTest, LeavingDuringABurstStopsTheClock) {
    RifleRangeGameController& screen = open(18);
    ASSERT_TRUE(session.run("action changeMode\ndown active_gun\nwait 0.2\n"));
    screen.viewWillDisappear(true);
    EXPECT_FALSE(screen.isTimerRunning());
    ASSERT_TRUE(session.run("cancel\n"));
    EXPECT_EQ(RunLoop::main().scheduledTimerCount(), 0u);
}

TEST_F(RifleRangeFiringTest, TheTabletFlashesItsOwnFramesAndHoldsEightShotgunRounds) {
    phone.reset();
    RangeSession tablet(DeviceProfile::tablet());
    RifleRangeGameController& screen = open(28, tablet);
    EXPECT_EQ(screen.ammoStatus(), 8);
    ASSERT_TRUE(tablet.run("tap active_gun\nwait 0.2\nexpect ammoLabel.text = 7\n"));
    EXPECT_EQ(screen.outlet<ImageView>("fire")->animationImages(),
              (std::vector<std::string>{"01masz@2x.png", "02masz@2x.png", "03masz@2x.png",
                                        "04masz@2x.png"}));
    EXPECT_EQ(screen.outlet<ImageView>("dymek")->animationImages().size(), 25u);
    EXPECT_EQ(tablet.sounds("luska_1").size(), 1u) << "the tablet smokes only at the press";
    EXPECT_EQ(tablet.sounds("Mossberg_500").size(), 1u);
    for (const std::string& frame : screen.outlet<ImageView>("fire")->animationImages()) {
        EXPECT_TRUE(Pictures::path(frame)) << frame << " exists";
    }
}

}  // namespace
