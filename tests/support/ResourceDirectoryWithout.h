// A resources directory like another one, linked file by file into a temporary directory, but
// with one file missing (or present but empty, which no movie player or picture loader can read),
// for a program or a game session given its own resources directory. (ResourcesWithout instead
// points the bundle of this process at such a directory.)
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/TemporaryDirectory.h"

class ResourceDirectoryWithout {
public:
    ResourceDirectoryWithout(const std::string& resources, const std::string& file,
                             bool leaveEmptyFile) {
        for (const auto& entry : std::filesystem::directory_iterator(resources)) {
            const std::string name = entry.path().filename().string();
            if (name != file) {
                std::filesystem::create_symlink(entry.path(), directory_.path() / name);
            }
        }
        if (leaveEmptyFile) {
            std::ofstream(directory_.path() / file).flush();
        }
    }
    std::string path() const { return directory_.path().string(); }

private:
    TemporaryDirectory directory_;
};
