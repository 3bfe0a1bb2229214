// kalvorn-range-pictures: draws the firing range's and the firearms gallery's pictures into
// the resources directory, PNG pictures and JPEG gallery pages, and lists where in each gun
// picture and flash frame the flash meets the gun ("range_aim_points.txt": file, x, y).
// Usage: kalvorn-range-pictures OUTPUT_DIR
#include <SDL_image.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "draw/Canvas.h"
#include "draw/JpegFile.h"
#include "range/RangePictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvorn-range-pictures OUTPUT_DIR\n");
        return 2;
    }
    try {
        const std::filesystem::path directory = argv[1];
        std::filesystem::create_directories(directory);
        IMG_Init(IMG_INIT_JPG);
        std::ofstream aims(directory / "range_aim_points.txt");
        for (const range::RangePicture& picture : range::rangePictures()) {
            art::Canvas canvas(picture.width, picture.height);
            picture.draw(canvas.context(), picture.width, picture.height);
            const std::string path = (directory / picture.file).string();
            if (picture.kind == range::FileKind::Jpeg) {
                art::writeJpeg(canvas, path);
            } else {
                canvas.writePng(path);
            }
            if (picture.aim) {
                aims << picture.file << ' ' << picture.aim->x << ' ' << picture.aim->y << '\n';
            }
        }
        IMG_Quit();
        if (!aims.flush()) {
            throw std::runtime_error("cannot write the aim points");
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kalvorn-range-pictures: %s\n", error.what());
        return 1;
    }
}
