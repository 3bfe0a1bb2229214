// The kalvorn program in a real window (run under a virtual X server): each profile launches,
// plays its intro, reaches the main menu, and its screenshots have the screen's size and show
// a picture rather than an empty screen; the same for the game hub, each of its panels and
// every gun selection page, and for the range's and the media screens' screenshot scripts; the
// media screens' sessions run in the window as they do headless.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "tests/support/ResourceDirectoryWithout.h"
#include "tests/support/TemporaryDirectory.h"
#include "tests/support/WindowRun.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    EXPECT_TRUE(file) << path;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class WindowProgramTest : public ::testing::TestWithParam<const char*> {
protected:
    bool tablet() const { return std::string(GetParam()) == "tablet"; }
    std::string suffix() const { return tablet() ? "_ipad" : ""; }
    int width() const { return tablet() ? 1024 : 480; }
    int height() const { return tablet() ? 768 : 320; }
    // The number of samples differingSamples takes from a screenshot of this profile.
    size_t samples() const { return static_cast<size_t>((width() / 8) * (height() / 8)); }

    // Loads screenshot SHOT from WORK and checks that it has the screen's size and, unless the
    // screen is dark by design, shows a picture; null (and a failure) when there is none.
    Picture expectScreenshot(const TemporaryDirectory& work, const std::string& shot,
                             bool darkByDesign = false) const {
        SCOPED_TRACE(shot);
        Picture picture = loadRgba(work.file(shot));
        if (!picture) {
            ADD_FAILURE() << "no screenshot: " << IMG_GetError();
            return nullptr;
        }
        EXPECT_EQ(picture->w, width());
        EXPECT_EQ(picture->h, height());
        if (!darkByDesign) {
            EXPECT_GT(distinctColours(picture.get()), 50u);
        }
        return picture;
    }

    // A screenshot script of docs/screenshots, run in the window: each picture has the screen's
    // size, shows something, and differs from every other one.
    void checkScreenshotScript(const std::string& name, size_t expectedShots) {
        const std::string profile = GetParam();
        const std::string script =
            readFile(std::string(KALVORN_SCRIPTS_DIR) + "/" + name + "-" + profile + ".txt");
        std::vector<std::string> shots;
        std::istringstream lines(script);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("screenshot ", 0) == 0) {
                shots.push_back(line.substr(std::strlen("screenshot ")));
            }
        }
        ASSERT_EQ(shots.size(), expectedShots);
        TemporaryDirectory work;
        runInWindow(KALVORN_PROGRAM, profile, work, script);
        if (HasFatalFailure()) {
            return;
        }

        std::vector<Picture> pictures;
        for (const std::string& shot : shots) {
            pictures.push_back(expectScreenshot(work, shot));
        }
        if (HasFailure()) {
            return;
        }
        // Each shows a screen of its own: no two are alike.
        for (size_t i = 0; i < pictures.size(); ++i) {
            for (size_t j = i + 1; j < pictures.size(); ++j) {
                EXPECT_GT(differingSamples(pictures[i].get(), pictures[j].get()), samples() / 50)
                    << shots[i] << " and " << shots[j];
            }
        }
    }
};

TEST_P(WindowProgramTest, ReachesTheMenuAndShowsIt) {
    const std::string profile = GetParam();
    TemporaryDirectory work;
    std::ostringstream script;
    script << "screenshot intro.png\n"
              "wait 6.5\n"
              "expect-screen MenuController"
           << suffix()
           << "\n"
              "screenshot menu.png\n"
              "tap settingsButton\n"
              "wait 1.7\n"
              "screenshot settings.png\n";
    runInWindow(KALVORN_PROGRAM, profile, work, script.str());
    if (HasFatalFailure()) {
        return;
    }

    expectScreenshot(work, "intro.png", true);  // the intro is black by design
    expectScreenshot(work, "menu.png");
    expectScreenshot(work, "settings.png");
}

TEST_P(WindowProgramTest, ShowsTheHubItsPanelsAndEveryGunSelectionPage) {
    const std::string profile = GetParam();
    struct Page {
        const char* action;  // the hub's action that opens the page
        const char* shot;
    };
    const std::vector<Page> pages = {
        {"handguns:", "page-handgun.png"}, {"submachine", "page-submachine.png"},
        {"rifles", "page-rifles.png"},     {"machine", "page-machineguns.png"},
        {"sniper", "page-sniper.png"},     {"shotgun", "page-shotgun.png"}};
    std::ostringstream script;
    script << "wait 6.5\naction game\nwait 1\nexpect-screen GameMenuController" << suffix()
           << "\nscreenshot hub.png\n"
              "action showSettingsView\nwait 0.7\nscreenshot hub-settings.png\n"
              "action applySettings\nwait 0.7\n"
              "action showAfterLoginView\nwait 0.7\nscreenshot hub-after-login.png\n"
              "action hideAfterLoginView\nwait 0.7\n"
              "action showUserDetailsView\nwait 0.7\nscreenshot hub-user-details.png\n"
              "action hideUserDetailsView\nwait 0.7\n";
    for (const Page& page : pages) {
        script << "action " << page.action << "\nwait 1\nexpect-screen GameInsideController"
               << suffix() << "\nscreenshot " << page.shot << "\n";
        if (std::string(page.action) == "handguns:") {
            script << "action nextButton:\nwait 1\nscreenshot page-handgun-2.png\n"
                      "action backButtonHandGun\nwait 1\n";
        } else {
            script << "action backButton\nwait 1\n";
        }
        script << "expect-screen GameMenuController" << suffix() << "\n";
    }
    TemporaryDirectory work;
    runInWindow(KALVORN_PROGRAM, profile, work, script.str());
    if (HasFatalFailure()) {
        return;
    }

    Picture hub = expectScreenshot(work, "hub.png");
    std::vector<Picture> panels;
    for (const char* panel : {"hub-settings.png", "hub-after-login.png", "hub-user-details.png"}) {
        panels.push_back(expectScreenshot(work, panel));
    }
    Picture second = expectScreenshot(work, "page-handgun-2.png");
    std::vector<Picture> shown;
    for (const Page& page : pages) {
        shown.push_back(expectScreenshot(work, page.shot));
    }
    if (HasFailure()) {
        return;
    }
    // Each panel, page and the second handgun page show something of their own.
    for (const Picture& panel : panels) {
        EXPECT_GT(differingSamples(hub.get(), panel.get()), samples() / 20);
    }
    const Picture& first = shown.front();
    EXPECT_GT(differingSamples(first.get(), second.get()), samples() / 10);
    for (size_t i = 1; i < pages.size(); ++i) {
        EXPECT_GT(differingSamples(first.get(), shown[i].get()), samples() / 10) << pages[i].shot;
    }
}

// The range's screenshot scripts: the gun menu with its locks and with the lock notice, a
// handgun and a rifle mid-shot, a gallery page.
TEST_P(WindowProgramTest, MakesTheRangeScreenshots) {
    checkScreenshotScript("range-screenshots", 5);
}

// The media screens' screenshot scripts: the tutorial menu, a frame of a tutorial movie, the
// encyclopedia's list, its page turning over and the page, the about page.
TEST_P(WindowProgramTest, MakesTheMediaScreenshots) {
    checkScreenshotScript("media-screenshots", 6);
}

// The media screens' sessions in the window, on the real clock and the real movie player.
TEST_P(WindowProgramTest, GoesThroughTheMediaScreens) {
    const std::string profile = GetParam();
    const std::string sessions = std::string(KALVORN_SESSIONS_DIR) + "/";
    {
        SCOPED_TRACE("each tutorial, one left early, the encyclopedia, the about page");
        TemporaryDirectory work;
        runInWindow(KALVORN_PROGRAM, profile, work,
                    readFile(sessions + "media-" + profile + ".txt"));
    }
    // Headless runs go through both of these on each profile; the window takes one each.
    if (profile == "phone") {
        SCOPED_TRACE("the first phone model's embedded player");
        TemporaryDirectory work;
        runInWindow(KALVORN_PROGRAM, profile, work,
                    readFile(sessions + "tutorials-first-model-" + profile + ".txt"),
                    "--device-model iPhone1,1");
    } else {
        SCOPED_TRACE("a missing tutorial movie");
        ResourceDirectoryWithout resources(KALVORN_RESOURCES_DIR, "tutorial2.mp4", false);
        TemporaryDirectory work;
        runInWindow(KALVORN_PROGRAM, profile, work,
                    readFile(sessions + "tutorial-missing-movie-" + profile + ".txt"),
                    "--resources " + resources.path());
    }
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, WindowProgramTest, ::testing::Values("phone", "tablet"));

}  // namespace
