// A throw-away resources directory for platform tests: the bundle points at it while the
// object lives, and tests put layout files and pictures of chosen sizes in it.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Bundle.h"
#include "tests/support/TemporaryDirectory.h"

class TestResources {
public:
    TestResources() : previous_(Bundle::main().resourcesDirectory()) {
        Bundle::main().setResourcesDirectory(directory_.path().string());
    }
    ~TestResources() { Bundle::main().setResourcesDirectory(previous_); }

    void writeFile(const std::string& name, const std::string& content) const {
        const std::filesystem::path path = directory_.path() / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    void writePicture(const std::string& name, int width, int height) const {
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
        IMG_SavePNG(surface, directory_.file(name).c_str());
        SDL_FreeSurface(surface);
    }

private:
    TemporaryDirectory directory_;
    std::string previous_;
};
