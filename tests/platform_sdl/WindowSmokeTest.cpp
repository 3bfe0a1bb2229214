// The real window under a virtual X server: it opens at the screen's size times the scale,
// draws the tree, takes screenshots, maps scaled mouse input back to the screen, types into a
// text field and taps the alert's buttons.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "SurfacePixels.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/AlertView.h"
#include "platform/Bundle.h"
#include "platform/Label.h"
#include "platform/MoviePlayer.h"
#include "platform/Platform.h"
#include "platform/TextField.h"
#include "platform/Window.h"
#include "platform/sdl/AlertPanel.h"
#include "platform/sdl/SdlServices.h"
#include "platform/sdl/SdlWindow.h"

namespace {
void pushMouseButton(Uint32 type, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

void pushClick(Point at) {
    pushMouseButton(SDL_MOUSEBUTTONDOWN, int(at.x), int(at.y));
    pushMouseButton(SDL_MOUSEBUTTONUP, int(at.x), int(at.y));
}

void pushText(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, text, sizeof event.text.text);
    SDL_PushEvent(&event);
}

void pushKey(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

// A red movie of 64 by 48 pixels lasting `seconds`, in the temporary directory; empty when ffmpeg
// fails.
std::string makeRedMovie(double seconds) {
    const std::string movie = (std::filesystem::temp_directory_path() /
                               ("kalvorn-red-" + std::to_string(getpid()) + ".mp4"))
                                  .string();
    const std::string command =
        "ffmpeg -y -loglevel error -f lavfi -i color=c=red:size=64x48:rate=10 -t " +
        std::to_string(seconds) + " -pix_fmt yuv420p '" + movie + "'";
    return std::system(command.c_str()) == 0 ? movie : std::string();
}

class WindowSmokeTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        SdlServices::install();
        Bundle::main().setResourcesDirectory(KALVORN_TEST_RESOURCES_DIR);
        auto& panel = window.rootView().addSubview(std::make_unique<View>(Rect{0, 0, 240, 320}));
        panel.setBackgroundColor({0.1, 0.3, 0.8, 1});
        auto& title = window.rootView().addSubview(std::make_unique<Label>());
        title.setFrame({250, 20, 220, 40});
        title.setText("Kalvorn");
        title.setTextColor(Color::white());
        auto& field = window.rootView().addSubview(std::make_unique<TextField>());
        field.setFrame({250, 200, 200, 31});
        textField = &field;
    }
    void TearDown() override { Platform::installHeadless(); }

    Window window{Size{480, 320}};
    TextField* textField = nullptr;
};

TEST_F(WindowSmokeTest, DrawsTheTreeAndTakesScreenshots) {
    SdlWindow sdlWindow(window, {"Kalvorn", 1});
    ASSERT_TRUE(sdlWindow.isOpen()) << sdlWindow.error();
    EXPECT_TRUE(sdlWindow.runFor(0.2));

    SDL_Surface* shown = sdlWindow.capturePixels();
    ASSERT_NE(shown, nullptr) << SDL_GetError();
    EXPECT_EQ(shown->w, 480);
    EXPECT_EQ(shown->h, 320);
    EXPECT_EQ(pixelAt(shown, 100, 100), (Rgb{26, 77, 204}));
    EXPECT_GT(pixelsUnlike(shown, Rgb{0, 0, 0}), 240 * 320);
    SDL_FreeSurface(shown);

    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kalvorn-window-" + std::to_string(getpid()) + ".png"))
                                 .string();
    std::string error;
    ASSERT_TRUE(sdlWindow.saveScreenshot(path, error)) << error;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr);
    SDL_Surface* saved = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    EXPECT_EQ(saved->w, 480);
    EXPECT_EQ(saved->h, 320);
    EXPECT_EQ(pixelAt(saved, 100, 100), (Rgb{26, 77, 204}));
    // The label's text shows on the black right half.
    int textPixels = 0;
    for (int y = 20; y < 60; ++y) {
        for (int x = 250; x < 470; ++x) {
            textPixels += isBlack(pixelAt(saved, x, y)) ? 0 : 1;
        }
    }
    EXPECT_GT(textPixels, 50);
    SDL_FreeSurface(saved);
    SDL_FreeSurface(loaded);
    std::filesystem::remove(path);
}

TEST_F(WindowSmokeTest, DrawsOnlyWhileSomethingMovesOrChanges) {
    SdlWindow sdlWindow(window, {"Kalvorn", 1});
    ASSERT_TRUE(sdlWindow.isOpen()) << sdlWindow.error();
    sdlWindow.runFor(0.2);
    // Frames drawn by one run; each run starts with one, as the program may have changed
    // the screen between runs.
    auto framesDuring = [&](double seconds) {
        const uint64_t before = sdlWindow.framesDrawn();
        sdlWindow.runFor(seconds);
        return sdlWindow.framesDrawn() - before;
    };
    EXPECT_EQ(framesDuring(0.5), 1u);

    // A timer that changes the screen brings one frame.
    RunLoop::main().performAfterDelay(0.1, [this] { textField->setText("changed"); });
    EXPECT_EQ(framesDuring(0.3), 2u);

    // A spinning indicator keeps the window drawing until it stops, one frame per step of the
    // spokes (12 a second), not at the full frame rate.
    auto& indicator = window.rootView().addSubview(std::make_unique<ActivityIndicatorView>());
    indicator.setFrame({400, 100, 37, 37});
    indicator.startAnimating();
    const uint64_t spinning = framesDuring(1.0);
    EXPECT_GT(spinning, 4u);
    EXPECT_LT(spinning, 25u);
    indicator.stopAnimating();
    EXPECT_EQ(framesDuring(0.5), 1u);
}

TEST_F(WindowSmokeTest, ScaledWindowMapsTheMouseAndTypesIntoTheTappedField) {
    SdlWindow sdlWindow(window, {"Kalvorn", 2});
    ASSERT_TRUE(sdlWindow.isOpen()) << sdlWindow.error();
    sdlWindow.runFor(0.1);
    SDL_Surface* shown = sdlWindow.capturePixels();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->w, 960);
    EXPECT_EQ(shown->h, 640);
    SDL_FreeSurface(shown);

    // The field's center (350, 215) in points is (700, 430) in the doubled window.
    pushClick({700, 430});
    pushText("ab");
    pushText("c");
    pushKey(SDLK_BACKSPACE);
    sdlWindow.runFor(0.1);
    EXPECT_EQ(textField->text(), "ab");

    // A click outside the field takes the focus away: typing goes nowhere.
    pushClick({100, 100});
    pushText("x");
    sdlWindow.runFor(0.1);
    EXPECT_EQ(textField->text(), "ab");
}

TEST_F(WindowSmokeTest, MoviePresentedFullScreenCoversTheWindowUntilItEnds) {
    const std::string movie = makeRedMovie(0.5);
    ASSERT_FALSE(movie.empty());
    SdlWindow sdlWindow(window, {"Kalvorn", 1});
    ASSERT_TRUE(sdlWindow.isOpen()) << sdlWindow.error();
    auto player = MoviePlayer::create(movie);
    int finished = 0;
    player->setPlaybackDidFinish([&](MoviePlayer&) { ++finished; });
    sdlWindow.runFor(0.1);
    ASSERT_EQ(player->loadState(), MoviePlayer::LoadStatePlayable);
    player->presentFullScreen();
    sdlWindow.runFor(0.2);

    SDL_Surface* shown = sdlWindow.capturePixels();
    ASSERT_NE(shown, nullptr);
    // 4:3 in a 3:2 window: black bars left and right.
    EXPECT_EQ(pixelAt(shown, 5, 160), (Rgb{0, 0, 0}));
    const Rgb middle = pixelAt(shown, 100, 160);
    EXPECT_GT(middle.red, 200);
    EXPECT_LT(middle.blue, 60);
    SDL_FreeSurface(shown);

    sdlWindow.runFor(1.0);
    EXPECT_EQ(finished, 1);
    shown = sdlWindow.capturePixels();
    EXPECT_EQ(pixelAt(shown, 100, 160), (Rgb{26, 77, 204}));
    SDL_FreeSurface(shown);
    player.reset();
    std::filesystem::remove(movie);
}

TEST_F(WindowSmokeTest, EscapeOrAClickLeavesAPlayingFullScreenMovie) {
    const std::string movie = makeRedMovie(3.0);
    ASSERT_FALSE(movie.empty());
    SdlWindow sdlWindow(window, {"Kalvorn", 1});
    ASSERT_TRUE(sdlWindow.isOpen()) << sdlWindow.error();
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "a click");
        auto player = MoviePlayer::create(movie);
        int finished = 0;
        player->setPlaybackDidFinish([&](MoviePlayer&) { ++finished; });
        sdlWindow.runFor(0.1);
        player->presentFullScreen();
        sdlWindow.runFor(0.3);
        ASSERT_TRUE(player->isPlaying());
        if (escape) {
            pushKey(SDLK_ESCAPE);
        } else {
            pushClick({240, 160});
        }
        sdlWindow.runFor(0.2);
        EXPECT_EQ(finished, 1) << "long before the movie's own end";
        EXPECT_FALSE(player->isPlaying());
        EXPECT_FALSE(player->isPresentedFullScreen());
        // Once left, the window's input goes to the screens again.
        pushKey(SDLK_ESCAPE);
        sdlWindow.runFor(0.1);
        EXPECT_EQ(finished, 1);
    }
    std::filesystem::remove(movie);
}

TEST_F(WindowSmokeTest, TapsGoToTheAlertsButtonsWhileItIsShown) {
    SdlWindow sdlWindow(window, {"Kalvorn", 1});
    ASSERT_TRUE(sdlWindow.isOpen()) << sdlWindow.error();
    int pressed = -1;
    AlertView::show("Error", "", {"Cancel", "OK"}, [&](int button) { pressed = button; });
    const AlertLayout layout = layoutAlert(window.size(), 0, 2);

    // The field under the alert is not reached.
    pushClick({350, 215});
    pushText("x");
    sdlWindow.runFor(0.1);
    EXPECT_EQ(textField->text(), "");
    EXPECT_EQ(pressed, -1);

    pushClick(layout.buttons[1].center());
    sdlWindow.runFor(0.1);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(Platform::current().visibleAlert(), nullptr);
}
}  // namespace
