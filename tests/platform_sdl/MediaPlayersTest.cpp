// The window's sound players (SDL2_mixer on the dummy audio driver) and movie players (FFmpeg,
// on a small movie made with the ffmpeg tool), run on a virtual clock.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include <unistd.h>

#include "platform/Platform.h"
#include "platform/sdl/SdlMoviePlayer.h"
#include "platform/sdl/SdlServices.h"

namespace {
namespace fs = std::filesystem;

// One folder per test process: CTest may run several at once.
fs::path testFolder() {
    return fs::temp_directory_path() / ("kalvorn-media-test-" + std::to_string(getpid()));
}

// Makes a file with the ffmpeg tool; `arguments` name the input and options, `name` the output.
fs::path makeWithFfmpeg(const std::string& arguments, const std::string& name) {
    fs::create_directories(testFolder());
    const fs::path path = testFolder() / name;
    const std::string command =
        "ffmpeg -y -loglevel error " + arguments + " '" + path.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
}

class MediaPlayersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        movie = makeWithFfmpeg("-f lavfi -i testsrc=size=64x48:rate=10 -t 0.5 -pix_fmt yuv420p",
                               "tiny.mp4");
        sound = makeWithFfmpeg("-f lavfi -i sine=frequency=440:duration=0.2", "beep.aif");
    }
    static void TearDownTestSuite() { fs::remove_all(testFolder()); }

    void SetUp() override {
        auto owned = std::make_unique<SdlServices>();
        services = owned.get();
        Platform::install(
            std::make_unique<Platform>(std::make_unique<VirtualClock>(), std::move(owned)));
    }
    void TearDown() override { Platform::installHeadless(); }

    // Waits in real time (the mixer plays on its own thread) until `done` or two seconds pass.
    template <class Condition>
    static bool eventually(Condition done) {
        for (int i = 0; i < 200 && !done(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }

    static inline fs::path movie;
    static inline fs::path sound;
    SdlServices* services = nullptr;
};

TEST_F(MediaPlayersTest, SoundPlaysOnceThenStops) {
    ASSERT_TRUE(services->hasAudioDevice());
    auto player = services->createSoundPlayer("beep", "aif", sound.string());
    ASSERT_NE(player, nullptr);
    EXPECT_FALSE(player->isPlaying());
    player->play();
    EXPECT_TRUE(player->isPlaying());
    EXPECT_TRUE(eventually([&] { return !player->isPlaying(); }));
}

TEST_F(MediaPlayersTest, LoopingSoundPlaysUntilStoppedOrReleased) {
    auto music = services->createSoundPlayer("beep", "aif", sound.string());
    music->setNumberOfLoops(-1);
    music->play();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(music->isPlaying());
    music->stop();
    EXPECT_FALSE(music->isPlaying());

    music->play();
    EXPECT_EQ(Mix_Playing(-1), 1);
    music.reset();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(MediaPlayersTest, EachPlayerHasItsOwnChannel) {
    auto first = services->createSoundPlayer("beep", "aif", sound.string());
    auto second = services->createSoundPlayer("beep", "aif", sound.string());
    first->setNumberOfLoops(-1);
    second->setNumberOfLoops(-1);
    first->play();
    second->play();
    EXPECT_EQ(Mix_Playing(-1), 2);
    first.reset();
    EXPECT_TRUE(second->isPlaying());
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(MediaPlayersTest, MoreSoundsThanChannelsAllPlayAtOnce) {
    // Eight overlapping shots, a casing and a reload, with every channel already busy.
    std::vector<std::unique_ptr<SoundPlayer>> players;
    const int channels = Mix_AllocateChannels(-1);
    for (int i = 0; i < channels + 10; ++i) {
        players.push_back(services->createSoundPlayer("beep", "aif", sound.string()));
        ASSERT_NE(players.back(), nullptr);
        players.back()->setNumberOfLoops(-1);
        players.back()->play();
    }
    for (const auto& player : players) {
        EXPECT_TRUE(player->isPlaying());
    }
    EXPECT_EQ(Mix_Playing(-1), channels + 10);
    EXPECT_GT(Mix_AllocateChannels(-1), channels) << "channels were added when all were busy";
    players.clear();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(MediaPlayersTest, MissingOrUnreadableSoundGivesNoPlayer) {
    EXPECT_EQ(services->createSoundPlayer("none", "aif", std::nullopt), nullptr);
    fs::create_directories(testFolder());
    std::ofstream(testFolder() / "broken.aif") << "not a sound";
    EXPECT_EQ(services->createSoundPlayer("broken", "aif", (testFolder() / "broken.aif").string()),
              nullptr);
}

TEST_F(MediaPlayersTest, MovieLoadsOnTheRunLoopPlaysAndFinishesOnce) {
    auto player = services->createMoviePlayer(movie.string());
    int finished = 0;
    player->setPlaybackDidFinish([&](MoviePlayer&) { ++finished; });
    EXPECT_EQ(player->loadState(), MoviePlayer::LoadStateUnknown);
    RunLoop::main().runFor(0.01);
    ASSERT_EQ(player->loadState(), MoviePlayer::LoadStatePlayable);

    player->presentFullScreen();
    EXPECT_TRUE(player->isPlaying());
    const MovieFrame* frame = services->fullScreenMovieFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->width, 64);
    EXPECT_EQ(frame->height, 48);
    const uint64_t firstSerial = frame->serial;
    RunLoop::main().runFor(0.25);
    EXPECT_GT(frame->serial, firstSerial);
    EXPECT_EQ(finished, 0);

    RunLoop::main().runFor(1.0);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_FALSE(player->isPresentedFullScreen());
    EXPECT_EQ(services->fullScreenMovieFrame(), nullptr);
    EXPECT_EQ(finished, 1);
    RunLoop::main().runFor(1.0);
    EXPECT_EQ(finished, 1);
}

TEST_F(MediaPlayersTest, PlayBeforeLoadingStartsOnceLoaded) {
    auto player = services->createMoviePlayer(movie.string());
    int finished = 0;
    player->setPlaybackDidFinish([&](MoviePlayer&) { ++finished; });
    player->play();
    EXPECT_FALSE(player->isPlaying());
    RunLoop::main().runFor(0.1);
    EXPECT_TRUE(player->isPlaying());
    RunLoop::main().runFor(1.0);
    EXPECT_EQ(finished, 1);
}

TEST_F(MediaPlayersTest, StoppedMovieDoesNotFinish) {
    auto player = services->createMoviePlayer(movie.string());
    int finished = 0;
    player->setPlaybackDidFinish([&](MoviePlayer&) { ++finished; });
    RunLoop::main().runFor(0.01);
    player->play();
    RunLoop::main().runFor(0.2);
    player->stop();
    RunLoop::main().runFor(2.0);
    EXPECT_EQ(finished, 0);
}

TEST_F(MediaPlayersTest, MissingOrBrokenMovieNeverLoadsNorFinishes) {
    fs::create_directories(testFolder());
    std::ofstream(testFolder() / "broken.mp4") << "not a movie";
    for (const fs::path& path : {testFolder() / "missing.mp4", testFolder() / "broken.mp4"}) {
        auto player = services->createMoviePlayer(path.string());
        int finished = 0;
        player->setPlaybackDidFinish([&](MoviePlayer&) { ++finished; });
        player->presentFullScreen();
        RunLoop::main().runFor(7.0);
        EXPECT_EQ(player->loadState(), MoviePlayer::LoadStateUnknown) << path;
        EXPECT_FALSE(player->isPlaying());
        EXPECT_EQ(finished, 0);
        EXPECT_EQ(services->fullScreenMovieFrame(), nullptr);
    }
}

TEST_F(MediaPlayersTest, ReleasedMovieSendsNothing) {
    auto player = services->createMoviePlayer(movie.string());
    int finished = 0;
    player->setPlaybackDidFinish([&](MoviePlayer&) { ++finished; });
    player->play();
    RunLoop::main().runFor(0.3);
    player.reset();
    RunLoop::main().runFor(2.0);
    EXPECT_EQ(finished, 0);
}
// Outside the fixture, whose services hold the audio device open.
TEST(SilentSoundTest, WithoutAnAudioDeviceSoundsPlaySilently) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlServices silent;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_FALSE(silent.hasAudioDevice());
    auto player = silent.createSoundPlayer("beep", "aif", "unread.aif");
    ASSERT_NE(player, nullptr);
    player->setVolume(0.5f);
    player->play();
    EXPECT_TRUE(player->isPlaying());
    EXPECT_FLOAT_EQ(player->volume(), 0.5f);
    player->stop();
    EXPECT_FALSE(player->isPlaying());
}

}  // namespace
