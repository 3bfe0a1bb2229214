// kalvorn-gun-pictures: draws the assembly game's pictures into the resources directory: the
// part and join pictures of every gun and the play screen's own pictures, each in its phone
// form and its tablet "@2x" form at twice the pixels, the gun selection's pages, and the
// encyclopedia's pages and list face. The sixteen join pictures the firing range shows too are
// laid out for it, and where their muzzles lie is listed in "gun_aim_points.txt" (file, x, y).
// Usage: kalvorn-gun-pictures OUTPUT_DIR
#include <SDL_image.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "draw/Canvas.h"
#include "draw/JpegFile.h"
#include "game/GunAssembly.h"
#include "guns/EncyclopediaPictures.h"
#include "guns/GunPictures.h"
#include "guns/PlayPictures.h"
#include "guns/SelectionPictures.h"
#include "range/GunOnRange.h"
#include "range/SimulatorGunTable.h"

namespace {

std::string tabletName(const std::string& phoneName) {
    return devicePictureName(phoneName, true);
}

constexpr double kPartOnScreen = 0.7;

// The range's row for the gun when the range shows one of its pictures, which must be the
// finished gun.
const SimulatorGunConfig* rangeRowFor(const GunAssembly& gun,
                                      const std::map<std::string, std::set<int>>& contents) {
    const SimulatorGunConfig* row = findSimulatorGun(gun.id_gun);
    if (!row || !contents.contains(row->image)) {
        return nullptr;
    }
    if (row->image != std::string(gun.finalRule().picture)) {
        throw std::runtime_error(std::string("the range shows ") + row->image +
                                 ", which is not the finished gun");
    }
    return row;
}

int writeGunPictures(const std::filesystem::path& directory, std::ostream& aims) {
    int written = 0;
    for (const GunAssembly& gun : allGunAssemblies()) {
        const std::map<std::string, std::set<int>> contents = guns::gunPictureContents(gun.id_gun);
        const SimulatorGunConfig* rangeRow = rangeRowFor(gun, contents);
        for (const bool tablet : {false, true}) {
            const double k = tablet ? 2 : 1;
            // A gun the range shows is drawn, parts and joins alike, at the size that fits the
            // range, and its finished picture laid out to meet the flash. The table places some
            // of them so low or so far right that only most of the gun can be on the screen, as
            // with a gun held at the hip.
            std::optional<range::RangeLayout> layout;
            if (rangeRow) {
                const std::set<int>& finished = contents.at(rangeRow->image);
                layout = range::layoutOnRange(*rangeRow, tablet, kPartOnScreen, [&](double size) {
                    const std::vector<guns::PartShape> shapes = guns::gunParts(gun.id_gun, size);
                    const art::Rect bounds = guns::pictureBounds(shapes, finished);
                    const art::Point muzzle =
                        guns::muzzleInPicture(shapes, finished, guns::barrelAxis(gun.id_gun, size));
                    return range::DrawnGun{
                        bounds.width * k, bounds.height * k, {muzzle.x * k, muzzle.y * k}};
                });
            }
            const double size = layout ? layout->size : 1;
            const std::vector<guns::PartShape> shapes = guns::gunParts(gun.id_gun, size);
            for (const auto& [name, parts] : contents) {
                const std::string file = tablet ? tabletName(name) : name;
                const bool onRange = layout && name == rangeRow->image;
                const art::Rect bounds = guns::pictureBounds(shapes, parts);
                art::Canvas canvas(onRange ? layout->width : static_cast<int>(bounds.width * k),
                                   onRange ? layout->height : static_cast<int>(bounds.height * k));
                if (onRange) {
                    cairo_translate(canvas.context(), layout->offset.x, layout->offset.y);
                    aims << file << ' ' << layout->muzzle.x << ' ' << layout->muzzle.y << '\n';
                }
                guns::drawGunPicture(canvas.context(), shapes, parts, k);
                canvas.writePng((directory / file).string());
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
        std::ofstream aims(directory / "gun_aim_points.txt");
        const int written = writeGunPictures(directory, aims) + writeScreenPictures(directory) +
                            writeDrawnPictures(directory, guns::selectionPictures()) +
                            writeDrawnPictures(directory, guns::encyclopediaPictures());
        if (!aims.flush()) {
            throw std::runtime_error("cannot write the aim points");
        }
        std::printf("kalvorn-gun-pictures: %d pictures\n", written);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kalvorn-gun-pictures: %s\n", error.what());
        return 1;
    }
}
