// kalvorn-sounds: synthesizes the game's sounds into the resources directory as AIFF files.
// Usage: kalvorn-sounds OUTPUT_DIR FILE...  (FILE: every sound file the build expects)
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>

#include "common/RequestedFiles.h"
#include "sound/AiffWriter.h"
#include "sound/SoundCatalog.h"

int main(int argc, char** argv) {
    try {
        art::GeneratorArguments arguments = art::readGeneratorArguments(argc, argv);
        std::map<std::string, art::SoundSpec> sounds;
        std::vector<std::string> known;
        for (art::SoundSpec& spec : art::allSounds()) {
            std::string file = spec.name + ".aif";
            known.push_back(file);
            sounds.emplace(file, std::move(spec));
        }
        art::checkRequestedFiles(arguments.files, known);

        std::filesystem::create_directories(arguments.outputDirectory);
        for (const std::string& file : arguments.files) {
            art::writeAiff(sounds.at(file).make(),
                           (std::filesystem::path(arguments.outputDirectory) / file).string());
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kalvorn-sounds: %s\n", error.what());
        return 1;
    }
}
