// The file-backed leaderboard.
#include "platform/FileLeaderboard.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <utility>

#include "platform/RunLoop.h"

namespace {

void complete(std::function<void(const std::string& error)> done, std::string error) {
    if (done) {
        RunLoop::main().post([done = std::move(done), error = std::move(error)] { done(error); });
    }
}

}  // namespace

void FileLeaderboard::authenticateLocalPlayer(std::function<void(const std::string& error)> done) {
    authenticated_ = authenticationError_.empty();
    complete(std::move(done), authenticationError_);
}

void FileLeaderboard::reportScore(int64_t value, const std::string& category,
                                  std::function<void(const std::string& error)> done) {
    std::string error;
    if (!authenticated_) {
        error = "local player not authenticated";
    } else if (!reportError_.empty()) {
        error = reportError_;
    } else {
        error = appendLine(value, category);
    }
    complete(std::move(done), std::move(error));
}

std::string FileLeaderboard::appendLine(int64_t value, const std::string& category) const {
    std::ofstream file(path_, std::ios::app);
    if (file) {
        file << category << ' ' << value << ' ' << static_cast<long long>(std::time(nullptr))
             << '\n';
        file.flush();
    }
    if (!file) {
        return "cannot write " + path_ + ": " + std::strerror(errno);
    }
    return {};
}
