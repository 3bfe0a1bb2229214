// For tests of the program in a real window (under a virtual X server): running it with a
// script whose screenshots go to a work directory, and reading those screenshots back to check
// that they show a picture rather than an empty screen.
#pragma once

#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "tests/support/TemporaryDirectory.h"

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Picture = std::unique_ptr<SDL_Surface, SurfaceFree>;

inline Picture loadRgba(const std::string& path) {
    Picture loaded(IMG_Load(path.c_str()));
    if (!loaded) {
        return nullptr;
    }
    return Picture(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

// Distinct colours among a grid of samples: a blank or single-colour screen has one or two.
inline size_t distinctColours(SDL_Surface* picture) {
    std::set<uint32_t> colours;
    const auto* pixels = static_cast<const uint8_t*>(picture->pixels);
    for (int y = 0; y < picture->h; y += 8) {
        for (int x = 0; x < picture->w; x += 8) {
            uint32_t pixel;
            std::memcpy(&pixel, pixels + y * picture->pitch + x * 4, 4);
            colours.insert(pixel);
        }
    }
    return colours.size();
}

// How many of a grid of samples differ between two pictures of the same size.
inline size_t differingSamples(SDL_Surface* a, SDL_Surface* b) {
    size_t differing = 0;
    for (int y = 0; y < a->h; y += 8) {
        for (int x = 0; x < a->w; x += 8) {
            const auto* pa = static_cast<const uint8_t*>(a->pixels) + y * a->pitch + x * 4;
            const auto* pb = static_cast<const uint8_t*>(b->pixels) + y * b->pitch + x * 4;
            differing += std::memcmp(pa, pb, 4) != 0 ? 1 : 0;
        }
    }
    return differing;
}

// Runs PROGRAM in a window with SCRIPT and the further OPTIONS; its screenshots go to WORK.
inline void runInWindow(const std::string& program, const std::string& profile,
                        TemporaryDirectory& work, const std::string& script,
                        const std::string& options = "") {
    std::ofstream(work.file("session.txt")) << script;
    const std::string command = program + " --profile " + profile + " --documents " +
                                work.file("documents") + " --screenshot-dir " +
                                work.path().string() + " --script " + work.file("session.txt") +
                                " " + options + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (size_t read = fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, read);
    }
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
}
