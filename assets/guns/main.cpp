// kalvorn-gun-pictures: draws the assembly game's pictures into the resources directory: the
// part and join pictures of every gun and the play screen's own pictures, each in its phone
// form and its tablet "@2x" form at twice the pixels, the gun selection's pages, and the
// encyclopedia's pages and list face.
// Usage: kalvorn-gun-pictures OUTPUT_DIR
#include <SDL_image.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "draw/Canvas.h"
#include "draw/JpegFile.h"
#include "game/GunAssembly.h"
#include "guns/EncyclopediaPictures.h"
#include "guns/GunPictures.h"
#include "guns/PlayPictures.h"
#include "guns/SelectionPictures.h"

namespace {

std::string tabletName(const std::string& phoneName) {
    return devicePictureName(phoneName, true);
}

int writeGunPictures(const std::filesystem::path& directory) {
    int written = 0;
    for (const GunAssembly& gun : allGunAssemblies()) {
        const std::vector<guns::PartShape> shapes = guns::gunParts(gun.id_gun);
        for (const auto& [name, parts] : guns::gunPictureContents(gun.id_gun)) {
            const art::Rect bounds = guns::pictureBounds(shapes, parts);
            for (double scale : {1.0, 2.0}) {
                art::Canvas canvas(static_cast<int>(bounds.width * scale),
                                   static_cast<int>(bounds.height * scale));
                guns::drawGunPicture(canvas.context(), shapes, parts, scale);
                canvas.writePng((directory / (scale == 1 ? name : tabletName(name))).string());
                ++written;
            }
        }
    }
    return written;
}

int writeScreenPictures(const std::filesystem::path& directory) {
    int written = 0;
    for (const guns::ScreenPicture& picture : guns::playScreenPictures()) {
        art::Canvas phone(picture.phoneWidth, picture.phoneHeight);
        picture.draw(phone.context(), picture.phoneWidth, picture.phoneHeight, 1,
                     picture.phoneName);
        phone.writePng((directory / picture.phoneName).string());
        art::Canvas tablet(picture.tabletWidth, picture.tabletHeight);
        picture.draw(tablet.context(), picture.tabletWidth, picture.tabletHeight, 2,
                     picture.phoneName);
        tablet.writePng((directory / tabletName(picture.phoneName)).string());
        written += 2;
    }
    return written;
}

int writeDrawnPictures(const std::filesystem::path& directory,
                       const std::vector<guns::DrawnPicture>& pictures) {
    int written = 0;
    IMG_Init(IMG_INIT_JPG);
    for (const guns::DrawnPicture& picture : pictures) {
        art::Canvas canvas(picture.width, picture.height);
        picture.draw(canvas.context());
        const std::string path = (directory / picture.file).string();
        if (picture.jpeg) {
            art::writeJpeg(canvas, path);
        } else {
            canvas.writePng(path);
        }
        ++written;
    }
    IMG_Quit();
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvorn-gun-pictures OUTPUT_DIR\n");
        return 2;
    }
    try {
        const std::filesystem::path directory = argv[1];
        std::filesystem::create_directories(directory);
        const int written = writeGunPictures(directory) + writeScreenPictures(directory) +
                            writeDrawnPictures(directory, guns::selectionPictures()) +
                            writeDrawnPictures(directory, guns::encyclopediaPictures());
        std::printf("kalvorn-gun-pictures: %d pictures\n", written);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kalvorn-gun-pictures: %s\n", error.what());
        return 1;
    }
}
