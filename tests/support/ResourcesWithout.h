// The build's resources less some files, for tests of what a screen does when one is missing:
// while the object lives, the bundle reads a directory that links to every resource but those.
#pragma once

#include <string>
#include <vector>

#include "platform/Bundle.h"
#include "tests/support/ResourceDirectoryWithout.h"

class ResourcesWithout {
public:
    // MISSING: file names in the resources directory ("load_1.aif").
    explicit ResourcesWithout(const std::vector<std::string>& missing)
        : previous_(Bundle::main().resourcesDirectory()), links_(previous_, missing) {
        Bundle::main().setResourcesDirectory(links_.path());
    }
    ~ResourcesWithout() { Bundle::main().setResourcesDirectory(previous_); }
    ResourcesWithout(const ResourcesWithout&) = delete;
    ResourcesWithout& operator=(const ResourcesWithout&) = delete;

private:
    std::string previous_;
    ResourceDirectoryWithout links_;
};
