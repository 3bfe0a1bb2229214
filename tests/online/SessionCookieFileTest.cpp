// The session cookie's file outlives a start only with autologin on.
#include "online/SessionCookieFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

TEST(SessionCookieFileTest, TheFileInTheDocumentsIsKeptOnlyWithAutologin) {
    namespace fs = std::filesystem;
    const fs::path documents =
        fs::temp_directory_path() / ("kalvorn-documents-" + std::to_string(getpid()));
    fs::create_directories(documents);
    const fs::path file = documents / "cookies.txt";
    std::ofstream(file) << "127.0.0.1\tFALSE\t/\tFALSE\t0\tkalvorn_session\tabc\n";

    EXPECT_EQ(prepareSessionCookieFile(documents.string(), true), file.string());
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(prepareSessionCookieFile(documents.string(), false), file.string());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(prepareSessionCookieFile(documents.string(), false), file.string())
        << "no file is no failure";
    fs::remove_all(documents);
}
