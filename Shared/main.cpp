// The program entry of the game: reads the command line, prepares the bundle and the platform,
// creates the application state of the chosen profile and runs its launch, then either runs a
// scripted session or the game itself until it ends.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Shared/GameSession.h"
#include "Shared/LaunchOptions.h"

namespace {

std::string defaultDocumentsDirectory() {
    namespace fs = std::filesystem;
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome) {
        return (fs::path(dataHome) / "kalvorn" / "documents").string();
    }
    const char* home = std::getenv("HOME");
    return (fs::path(home && *home ? home : ".") / ".local" / "share" / "kalvorn" / "documents")
        .string();
}

// The resources beside the program: BIN/../resources, as the build lays them out.
std::string defaultResourcesDirectory(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path program = fs::canonical("/proc/self/exe", error);
    if (error) {
        program = fs::absolute(argv0, error);
    }
    return (program.parent_path().parent_path() / "resources").string();
}

}  // namespace

int main(int argc, char** argv) {
    std::variant<LaunchOptions, std::string> parsed =
        parseLaunchOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "kalvorn: %s\n", error->c_str());
        return 2;
    }
    LaunchOptions options = std::get<LaunchOptions>(parsed);
    if (options.showHelp) {
        std::fputs(launchOptionsUsage().c_str(), stdout);
        return 0;
    }
    if (options.documentsDirectory.empty()) {
        options.documentsDirectory = defaultDocumentsDirectory();
    }
    if (options.resourcesDirectory.empty()) {
        options.resourcesDirectory = defaultResourcesDirectory(argv[0]);
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options.resourcesDirectory, error)) {
        std::fprintf(stderr, "kalvorn: no resources directory at %s (see --resources)\n",
                     options.resourcesDirectory.c_str());
        return 2;
    }

    std::string script;
    if (options.scriptPath) {
        std::ifstream in(*options.scriptPath);
        if (!in) {
            std::fprintf(stderr, "kalvorn: cannot read the script %s\n",
                         options.scriptPath->c_str());
            return 2;
        }
        std::ostringstream text;
        text << in.rdbuf();
        script = text.str();
    }

    GameSession session(options);
    if (!session.isReady()) {
        return 1;
    }
    session.launch();
    if (options.scriptPath) {
        return session.runScript(script, *options.scriptPath, std::cerr) ? 0 : 1;
    }
    return session.run();
}
