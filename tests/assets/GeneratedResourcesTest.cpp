// The generated resources as the game will find them: every file the build makes is described
// in assets/MANIFEST.md and has the size or length written there; pictures are not blank,
// sounds load in SDL2_mixer and are audible, the menu tune loops without a seam, movies are
// H.264 and shorter than the intro's six-second timer, and generating again gives the same
// bytes.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "../support/TemporaryDirectory.h"
#include "MixerAudio.h"

namespace {

const std::filesystem::path kResources = KALVORN_TEST_RESOURCES_DIR;

std::string readText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

struct PictureEntry {
    int width;
    int height;
};
struct MovieEntry {
    int width;
    int height;
    double seconds;
};

// What the manifest says about each file: "`name.png` 480×320", "`name.aif` 0.12 s",
// "`name.mp4` 480×320, 4.00 s".
struct Manifest {
    std::map<std::string, PictureEntry> pictures;
    std::map<std::string, double> sounds;
    std::map<std::string, MovieEntry> movies;

    std::set<std::string> allFiles() const {
        std::set<std::string> files;
        for (const auto& [name, entry] : pictures) {
            files.insert(name);
        }
        for (const auto& [name, entry] : sounds) {
            files.insert(name);
        }
        for (const auto& [name, entry] : movies) {
            files.insert(name);
        }
        return files;
    }
};

Manifest readManifest() {
    std::string text = readText(KALVORN_ASSETS_MANIFEST);
    Manifest manifest;
    std::smatch match;
    std::regex picture("`([^`]+\\.png)` (\\d+)×(\\d+)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), picture);
         it != std::sregex_iterator(); ++it) {
        manifest.pictures[(*it)[1]] = {std::stoi((*it)[2]), std::stoi((*it)[3])};
    }
    std::regex sound("`([^`]+\\.aif)` (\\d+\\.\\d+) s");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), sound);
         it != std::sregex_iterator(); ++it) {
        manifest.sounds[(*it)[1]] = std::stod((*it)[2]);
    }
    std::regex movie("`([^`]+\\.(mp4|mov))` (\\d+)×(\\d+), (\\d+\\.\\d+) s");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), movie);
         it != std::sregex_iterator(); ++it) {
        manifest.movies[(*it)[1]] = {std::stoi((*it)[3]), std::stoi((*it)[4]), std::stod((*it)[5])};
    }
    return manifest;
}

std::set<std::string> generatedFiles() {
    std::istringstream lines(readText(KALVORN_GENERATED_ASSETS_LIST));
    std::set<std::string> files;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty()) {
            files.insert(line);
        }
    }
    return files;
}

// The 16-bit samples of an AIFF file as stored, read straight from its SSND chunk.
std::vector<std::int16_t> storedSamples(const std::filesystem::path& path) {
    std::string bytes = readText(path);
    size_t ssnd = bytes.find("SSND");
    std::vector<std::int16_t> samples;
    if (ssnd == std::string::npos) {
        return samples;
    }
    for (size_t i = ssnd + 16; i + 1 < bytes.size(); i += 2) {
        samples.push_back(std::int16_t(std::uint8_t(bytes[i]) << 8 | std::uint8_t(bytes[i + 1])));
    }
    return samples;
}

std::string commandOutput(const std::string& command) {
    std::string output;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

}  // namespace

TEST(GeneratedResources, ManifestDescribesExactlyTheGeneratedFiles) {
    Manifest manifest = readManifest();
    std::set<std::string> described = manifest.allFiles();
    std::set<std::string> generated = generatedFiles();
    ASSERT_FALSE(generated.empty());
    for (const std::string& file : generated) {
        EXPECT_TRUE(described.count(file)) << file << " is generated but not in MANIFEST.md";
        EXPECT_TRUE(std::filesystem::is_regular_file(kResources / file)) << file << " is missing";
    }
    for (const std::string& file : described) {
        EXPECT_TRUE(generated.count(file)) << file << " is in MANIFEST.md but not generated";
    }
}

TEST(GeneratedResources, PicturesHaveTheirSizeAndAreNotBlank) {
    for (const auto& [name, entry] : readManifest().pictures) {
        cairo_surface_t* picture =
            cairo_image_surface_create_from_png((kResources / name).string().c_str());
        ASSERT_EQ(cairo_surface_status(picture), CAIRO_STATUS_SUCCESS) << name;
        EXPECT_EQ(cairo_image_surface_get_width(picture), entry.width) << name;
        EXPECT_EQ(cairo_image_surface_get_height(picture), entry.height) << name;

        std::set<std::uint32_t> colours;
        const unsigned char* data = cairo_image_surface_get_data(picture);
        int stride = cairo_image_surface_get_stride(picture);
        for (int y = 0; y < cairo_image_surface_get_height(picture); y += 2) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
            for (int x = 0; x < cairo_image_surface_get_width(picture); x += 2) {
                colours.insert(row[x]);
            }
        }
        EXPECT_GT(colours.size(), 20u) << name << " is nearly a single colour";
        cairo_surface_destroy(picture);
    }
}

TEST(GeneratedResources, SoundsLoadInTheMixerWithTheirLength) {
    MixerAudio mixer;
    ASSERT_TRUE(mixer.isOpen());
    for (const auto& [name, seconds] : readManifest().sounds) {
        std::optional<std::vector<std::int16_t>> samples =
            mixer.decodeFile((kResources / name).string());
        ASSERT_TRUE(samples.has_value()) << name << " does not load";
        EXPECT_NEAR(double(samples->size()) / MixerAudio::kFrequency, seconds, 0.01) << name;
        int peak = 0;
        for (std::int16_t sample : *samples) {
            peak = std::max(peak, std::abs(int(sample)));
        }
        EXPECT_GT(peak, 8000) << name << " is nearly silent";
    }
}

TEST(GeneratedResources, MusicAlsoOpensAsStreamedMusic) {
    MixerAudio mixer;
    ASSERT_TRUE(mixer.isOpen());
    EXPECT_TRUE(mixer.loadsAsMusic((kResources / "Menu_loop.aif").string()));
    EXPECT_TRUE(mixer.loadsAsMusic((kResources / "Game_Over.aif").string()));
}

TEST(GeneratedResources, MenuTuneJoinsItsEndToItsStart) {
    std::vector<std::int16_t> samples = storedSamples(kResources / "Menu_loop.aif");
    ASSERT_GT(samples.size(), 1000u);
    // A smooth waveform is well predicted by continuing the line through its last two samples;
    // the typical miss is the mean second difference. Played in a loop, the first samples
    // follow the last ones and must be predicted as well as anywhere else: a cut (notes that
    // start from silence where the tails of the end should be ringing) misses by far more.
    auto miss = [&](size_t before2, size_t before1, size_t at) {
        return std::abs(2.0 * samples[before1] - samples[before2] - samples[at]);
    };
    double meanMiss = 0;
    for (size_t i = 2; i < samples.size(); ++i) {
        meanMiss += miss(i - 2, i - 1, i);
    }
    meanMiss /= double(samples.size() - 2);
    size_t last = samples.size() - 1;
    EXPECT_LT(miss(last - 1, last, 0), 3 * meanMiss);
    EXPECT_LT(miss(last, 0, 1), 3 * meanMiss);
}

TEST(GeneratedResources, MoviesHaveTheirSizeAndEndBeforeTheIntroTimer) {
    for (const auto& [name, entry] : readManifest().movies) {
        std::string probe = commandOutput(
            std::string(KALVORN_FFPROBE) +
            " -v error -select_streams v:0 -show_entries stream=codec_name,width,height"
            " -show_entries format=duration -of default=noprint_wrappers=1 '" +
            (kResources / name).string() + "'");
        EXPECT_NE(probe.find("codec_name=h264"), std::string::npos) << name << ": " << probe;
        EXPECT_NE(probe.find("width=" + std::to_string(entry.width) + "\n"), std::string::npos)
            << name << ": " << probe;
        EXPECT_NE(probe.find("height=" + std::to_string(entry.height) + "\n"), std::string::npos)
            << name << ": " << probe;
        size_t at = probe.find("duration=");
        ASSERT_NE(at, std::string::npos) << name << ": " << probe;
        double seconds = std::stod(probe.substr(at + 9));
        EXPECT_NEAR(seconds, entry.seconds, 0.05) << name;
        EXPECT_LT(seconds, 6.0) << name;
    }
}

TEST(GeneratedResources, GeneratingAgainGivesTheSameBytes) {
    Manifest manifest = readManifest();
    TemporaryDirectory again;
    std::string pictures =
        std::string(KALVORN_PICTURES_GENERATOR) + " '" + again.path().string() + "'";
    for (const auto& [name, entry] : manifest.pictures) {
        pictures += " " + name;
    }
    std::string sounds = std::string(KALVORN_SOUNDS_GENERATOR) + " '" + again.path().string() + "'";
    for (const auto& [name, seconds] : manifest.sounds) {
        sounds += " " + name;
    }
    ASSERT_EQ(std::system(pictures.c_str()), 0);
    ASSERT_EQ(std::system(sounds.c_str()), 0);
    for (const auto& entry : std::filesystem::directory_iterator(again.path())) {
        std::string name = entry.path().filename().string();
        EXPECT_EQ(readText(entry.path()), readText(kResources / name)) << name << " differs";
    }
}
