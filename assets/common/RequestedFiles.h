// The build names every file a generator writes (so it knows what to rebuild); the generator
// knows how to make its files. This check keeps the two lists the same: a file the build asks
// for that no generator makes, or one made but not asked for, stops the build with its name.
#pragma once

#include <string>
#include <vector>

namespace art {

// Throws std::runtime_error naming every difference between `requested` and `known`.
void checkRequestedFiles(const std::vector<std::string>& requested,
                         const std::vector<std::string>& known);

// The command line of a generator: the output directory, then the files to write.
struct GeneratorArguments {
    std::string outputDirectory;
    std::vector<std::string> files;
};

// Reads `PROGRAM OUTPUT_DIR FILE...`; throws std::runtime_error with a usage line otherwise.
GeneratorArguments readGeneratorArguments(int argc, char** argv);

}  // namespace art
