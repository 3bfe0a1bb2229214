// The kalvorn program in a real window (run under a virtual X server): each profile launches,
// plays its intro, reaches the main menu, and its screenshots have the screen's size and show
// a picture rather than an empty screen.
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>

#include "tests/support/TemporaryDirectory.h"

namespace {

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Picture = std::unique_ptr<SDL_Surface, SurfaceFree>;

Picture loadRgba(const std::string& path) {
    Picture loaded(IMG_Load(path.c_str()));
    if (!loaded) {
        return nullptr;
    }
    return Picture(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

// Distinct colours among a grid of samples: a blank or single-colour screen has one or two.
size_t distinctColours(SDL_Surface* picture) {
    std::set<uint32_t> colours;
    const auto* pixels = static_cast<const uint8_t*>(picture->pixels);
    for (int y = 0; y < picture->h; y += 8) {
        for (int x = 0; x < picture->w; x += 8) {
            uint32_t pixel;
            std::memcpy(&pixel, pixels + y * picture->pitch + x * 4, 4);
            colours.insert(pixel);
        }
    }
    return colours.size();
}

class WindowProgramTest : public ::testing::TestWithParam<const char*> {};

TEST_P(WindowProgramTest, ReachesTheMenuAndShowsIt) {
    const std::string profile = GetParam();
    const bool tablet = profile == "tablet";
    const std::string suffix = tablet ? "_ipad" : "";
    TemporaryDirectory work;
    std::ofstream(work.file("session.txt")) << "screenshot intro.png\n"
                                               "wait 6.5\n"
                                               "expect-screen MenuController"
                                            << suffix
                                            << "\n"
                                               "screenshot menu.png\n"
                                               "tap settingsButton\n"
                                               "wait 1.7\n"
                                               "screenshot settings.png\n";
    const std::string command = std::string(KALVORN_PROGRAM) + " --profile " + profile +
                                " --documents " + work.file("documents") + " --screenshot-dir " +
                                work.path().string() + " --script " + work.file("session.txt") +
                                " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (size_t read = fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, read);
    }
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;

    const int width = tablet ? 1024 : 480;
    const int height = tablet ? 768 : 320;
    for (const char* shot : {"intro.png", "menu.png", "settings.png"}) {
        SCOPED_TRACE(shot);
        Picture picture = loadRgba(work.file(shot));
        ASSERT_TRUE(picture) << IMG_GetError();
        EXPECT_EQ(picture->w, width);
        EXPECT_EQ(picture->h, height);
        if (std::string(shot) != "intro.png") {  // the intro is black by design
            EXPECT_GT(distinctColours(picture.get()), 50u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, WindowProgramTest, ::testing::Values("phone", "tablet"));

}  // namespace
