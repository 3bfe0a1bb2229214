// kalvorn-movies: renders the game's movies frame by frame and encodes them with ffmpeg.
// Usage: kalvorn-movies FFMPEG OUTPUT_DIR FILE...  (FILE: every movie file the build expects)
#include <cmath>
#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>

#include "common/RequestedFiles.h"
#include "draw/Canvas.h"
#include "movies/MovieCatalog.h"
#include "movies/MovieEncoder.h"

namespace {

void renderMovie(const std::string& ffmpeg, const art::MovieSpec& spec,
                 const std::filesystem::path& path) {
    art::FrameDrawer drawFrame = spec.makeScene(spec.width, spec.height, spec.seconds);
    art::Canvas frame(spec.width, spec.height);
    art::MovieEncoder encoder(ffmpeg, path.string(), spec.width, spec.height,
                              art::kMovieFramesPerSecond);
    int frames = int(std::lround(spec.seconds * art::kMovieFramesPerSecond));
    for (int i = 0; i < frames; ++i) {
        frame.clear();
        drawFrame(frame.context(), double(i) / art::kMovieFramesPerSecond);
        encoder.addFrame(frame);
    }
    encoder.finish();
}

}  // namespace

int main(int argc, char** argv) {
    // A failing ffmpeg must give an error message, not end us silently on a broken pipe.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        if (argc < 2) {
            throw std::runtime_error("usage: kalvorn-movies FFMPEG OUTPUT_DIR FILE...");
        }
        std::string ffmpeg = argv[1];
        art::GeneratorArguments arguments = art::readGeneratorArguments(argc - 1, argv + 1);
        std::map<std::string, art::MovieSpec> movies;
        std::vector<std::string> known;
        for (art::MovieSpec& spec : art::allMovies()) {
            known.push_back(spec.file);
            movies.emplace(spec.file, std::move(spec));
        }
        art::checkRequestedFiles(arguments.files, known);

        std::filesystem::create_directories(arguments.outputDirectory);
        for (const std::string& file : arguments.files) {
            renderMovie(ffmpeg, movies.at(file),
                        std::filesystem::path(arguments.outputDirectory) / file);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kalvorn-movies: %s\n", error.what());
        return 1;
    }
}
