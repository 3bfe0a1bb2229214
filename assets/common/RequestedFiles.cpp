// The match between the files the build expects and those a generator makes.
#include "common/RequestedFiles.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace art {

void checkRequestedFiles(const std::vector<std::string>& requested,
                         const std::vector<std::string>& known) {
    std::set<std::string> asked(requested.begin(), requested.end());
    std::set<std::string> made(known.begin(), known.end());
    std::string problems;
    for (const std::string& name : asked) {
        if (!made.count(name)) {
            problems += "\n  asked for, but no generator makes it: " + name;
        }
    }
    for (const std::string& name : made) {
        if (!asked.count(name)) {
            problems += "\n  made, but not listed in assets/CMakeLists.txt: " + name;
        }
    }
    if (asked.size() != requested.size()) {
        problems += "\n  a file is listed twice";
    }
    if (!problems.empty()) {
        throw std::runtime_error("the generated files do not match the build's list:" + problems);
    }
}

GeneratorArguments readGeneratorArguments(int argc, char** argv) {
    if (argc < 3) {
        throw std::runtime_error(std::string("usage: ") + (argc > 0 ? argv[0] : "generator") +
                                 " OUTPUT_DIR FILE...");
    }
    GeneratorArguments arguments;
    arguments.outputDirectory = argv[1];
    arguments.files.assign(argv + 2, argv + argc);
    return arguments;
}

}  // namespace art
