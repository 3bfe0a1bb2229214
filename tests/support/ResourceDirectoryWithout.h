// A resources directory like another one, linked file by file into a temporary directory, but
// with some files missing (or one present but empty, which no movie player or picture loader can
// read), for a program or a game session given its own resources directory. (ResourcesWithout
// points the bundle of this process at such a directory.)
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/TemporaryDirectory.h"

class ResourceDirectoryWithout {
public:
    // MISSING: file names in the resources directory ("load_1.aif").
    ResourceDirectoryWithout(const std::string& resources,
                             const std::vector<std::string>& missing) {
        for (const auto& entry : std::filesystem::directory_iterator(resources)) {
            const std::string name = entry.path().filename().string();
            if (std::find(missing.begin(), missing.end(), name) == missing.end()) {
                std::filesystem::create_symlink(entry.path(), directory_.path() / name);
            }
        }
    }
    ResourceDirectoryWithout(const std::string& resources, const std::string& file,
                             bool leaveEmptyFile)
        : ResourceDirectoryWithout(resources, std::vector<std::string>{file}) {
        if (leaveEmptyFile) {
            std::ofstream(directory_.path() / file).flush();
        }
    }
    std::string path() const { return directory_.path().string(); }

private:
    TemporaryDirectory directory_;
};
