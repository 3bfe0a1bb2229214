// The kalvorn program run as a person runs it: headless with a script on an empty documents
// directory, and with bad command lines and scripts.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/PropertyList.h"
#include "tests/support/ResourceDirectoryWithout.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

struct Outcome {
    int status = -1;
    std::string output;  // standard output and standard error together
};

Outcome runProgram(const std::string& arguments) {
    const std::string command = std::string(KALVORN_PROGRAM) + " " + arguments + " 2>&1";
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return outcome;
    }
    std::array<char, 4096> buffer;
    while (size_t read = fread(buffer.data(), 1, buffer.size(), pipe)) {
        outcome.output.append(buffer.data(), read);
    }
    int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

class ProgramTest : public ::testing::Test {
protected:
    std::string writeScript(const std::string& text) {
        const std::string path = work.file("session.txt");
        std::ofstream(path) << text;
        return path;
    }

    std::string documentsOption() const { return "--documents " + work.file("documents"); }

    TemporaryDirectory work;
};

TEST_F(ProgramTest, FirstStartCopiesBothTemplatesAndReachesTheMenu) {
    const std::string script = writeScript(
        "# the intro, then the menu\n"
        "expect-screen IntroController\n"
        "wait 6.1\n"
        "expect-screen MenuController\n");
    Outcome outcome = runProgram("--headless " + documentsOption() + " --script " + script);
    ASSERT_EQ(outcome.status, 0) << outcome.output;

    std::optional<StringMap> settings =
        PropertyList::readStringMap(work.file("documents/settings.plist"));
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->at("music"), "1");
    EXPECT_TRUE(std::filesystem::file_size(work.file("documents/baza.sqlite")) > 0);
}

TEST_F(ProgramTest, TabletProfileRunsTheTabletScreens) {
    const std::string script = writeScript(
        "wait 6.1\nexpect-screen MenuController_ipad\n"
        "expect gameButton.frame = 576,109,400,80\n");
    Outcome outcome =
        runProgram("--profile tablet --headless " + documentsOption() + " --script " + script);
    EXPECT_EQ(outcome.status, 0) << outcome.output;
}

TEST_F(ProgramTest, FailingStepNamesItsLineAndWhatItSaw) {
    const std::string script = writeScript("wait 0.1\n\nexpect-screen MenuController\n");
    Outcome outcome = runProgram("--headless " + documentsOption() + " --script " + script);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find(":3:"), std::string::npos) << outcome.output;
    EXPECT_NE(outcome.output.find("IntroController"), std::string::npos) << outcome.output;
}

TEST_F(ProgramTest, MalformedScriptRunsNothing) {
    const std::string script = writeScript("tap settingsButton\nfly away\nwait soon\n");
    Outcome outcome = runProgram("--headless " + documentsOption() + " --script " + script);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find("2"), std::string::npos) << outcome.output;
    EXPECT_NE(outcome.output.find("3"), std::string::npos) << outcome.output;
}

TEST_F(ProgramTest, BadOptionsAndMissingFilesAreClearErrors) {
    Outcome badProfile = runProgram("--profile watch");
    EXPECT_EQ(badProfile.status, 2);
    EXPECT_NE(badProfile.output.find("--profile takes phone or tablet"), std::string::npos);

    Outcome noScript =
        runProgram("--headless " + documentsOption() + " --script " + work.file("missing.txt"));
    EXPECT_EQ(noScript.status, 2);
    EXPECT_NE(noScript.output.find("cannot read the script"), std::string::npos);

    Outcome help = runProgram("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--screenshot-dir"), std::string::npos);
}

TEST_F(ProgramTest, UnusableDocumentsDirectoryStillRunsTheGame) {
    std::ofstream(work.file("not-a-directory")) << "a file where the documents should be";
    const std::string script = writeScript("wait 6.1\nexpect-screen MenuController\n");
    Outcome outcome = runProgram("--headless --documents " + work.file("not-a-directory") +
                                 " --script " + script);
    EXPECT_EQ(outcome.status, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("cannot"), std::string::npos) << "says what went wrong";
}

// The media screens' sessions, run headless as a player would go through them: movies play for
// the length of their files on the virtual clock.
struct MediaSession {
    const char* script;
    const char* arguments;
    const char* missingResource;  // empty: the build's resources whole
};

class MediaSessionTest : public ::testing::TestWithParam<MediaSession> {};

TEST_P(MediaSessionTest, RunsToItsEnd) {
    const MediaSession& session = GetParam();
    TemporaryDirectory work;
    std::string arguments = std::string("--headless ") + session.arguments + " --documents " +
                            work.file("documents") + " --script " + KALVORN_SESSIONS_DIR + "/" +
                            session.script;
    std::optional<ResourceDirectoryWithout> resources;
    if (*session.missingResource) {
        resources.emplace(KALVORN_RESOURCES_DIR, session.missingResource, false);
        arguments += " --resources " + resources->path();
    }
    Outcome outcome = runProgram(arguments);
    EXPECT_EQ(outcome.status, 0) << outcome.output;
}

INSTANTIATE_TEST_SUITE_P(
    MediaScreens, MediaSessionTest,
    ::testing::Values(
        MediaSession{"media-phone.txt", "--profile phone", ""},
        MediaSession{"media-tablet.txt", "--profile tablet", ""},
        MediaSession{"tutorials-first-model-phone.txt", "--profile phone --device-model iPhone1,1",
                     ""},
        MediaSession{"tutorials-first-model-tablet.txt",
                     "--profile tablet --device-model iPhone1,1", ""},
        MediaSession{"tutorial-missing-movie-phone.txt", "--profile phone", "tutorial2.mp4"},
        MediaSession{"tutorial-missing-movie-tablet.txt", "--profile tablet", "tutorial2.mp4"}),
    [](const auto& test) {
        std::string name = test.param.script;
        name = name.substr(0, name.find('.'));
        std::erase(name, '-');
        return name;
    });

}  // namespace
