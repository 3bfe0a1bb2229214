#include "online/SessionCookieFile.h"

#include <filesystem>

std::string prepareSessionCookieFile(const std::string& documentsDirectory, bool autologin) {
    const std::filesystem::path file = std::filesystem::path(documentsDirectory) / "cookies.txt";
    if (!autologin) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
    return file.string();
}
