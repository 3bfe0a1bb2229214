// The build's resources less some files, for tests of what a screen does when one is missing:
// while the object lives, the bundle reads a directory that links to every resource but those.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Bundle.h"
#include "tests/support/TemporaryDirectory.h"

class ResourcesWithout {
public:
    // MISSING: file names in the resources directory ("load_1.aif").
    explicit ResourcesWithout(const std::vector<std::string>& missing)
        : previous_(Bundle::main().resourcesDirectory()) {
        for (const auto& entry : std::filesystem::directory_iterator(previous_)) {
            const std::string name = entry.path().filename().string();
            if (std::find(missing.begin(), missing.end(), name) == missing.end()) {
                std::filesystem::create_symlink(entry.path(), links_.path() / name);
            }
        }
        Bundle::main().setResourcesDirectory(links_.path().string());
    }
    ~ResourcesWithout() { Bundle::main().setResourcesDirectory(previous_); }
    ResourcesWithout(const ResourcesWithout&) = delete;
    ResourcesWithout& operator=(const ResourcesWithout&) = delete;

private:
    std::string previous_;
    TemporaryDirectory links_;
};
