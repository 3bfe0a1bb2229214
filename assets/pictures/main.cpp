// kalvorn-pictures: draws the game's pictures into the resources directory.
// Usage: kalvorn-pictures OUTPUT_DIR FILE...  (FILE: every picture file the build expects)
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>

#include "common/RequestedFiles.h"
#include "draw/Canvas.h"
#include "pictures/PictureCatalog.h"

namespace {

struct PictureJob {
    const art::PictureSpec* spec;
    art::Profile profile;
};

void drawPicture(const PictureJob& job, const std::filesystem::path& path) {
    const art::PictureSpec& spec = *job.spec;
    bool tablet = job.profile == art::Profile::Tablet;
    int width = tablet ? spec.tabletWidth : spec.phoneWidth;
    int height = tablet ? spec.tabletHeight : spec.phoneHeight;
    art::Canvas canvas(width, height);
    spec.draw(canvas.context(),
              {job.profile, double(width), double(height), tablet ? spec.tabletScale : 1.0});
    canvas.writePng(path.string());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        art::GeneratorArguments arguments = art::readGeneratorArguments(argc, argv);
        std::vector<art::PictureSpec> pictures = art::allPictures();

        std::map<std::string, PictureJob> jobs;
        std::vector<std::string> known;
        for (const art::PictureSpec& spec : pictures) {
            jobs[spec.name] = {&spec, art::Profile::Phone};
            jobs[art::tabletFileName(spec.name)] = {&spec, art::Profile::Tablet};
            known.push_back(spec.name);
            known.push_back(art::tabletFileName(spec.name));
        }
        art::checkRequestedFiles(arguments.files, known);

        std::filesystem::create_directories(arguments.outputDirectory);
        for (const std::string& file : arguments.files) {
            drawPicture(jobs.at(file), std::filesystem::path(arguments.outputDirectory) / file);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kalvorn-pictures: %s\n", error.what());
        return 1;
    }
}
