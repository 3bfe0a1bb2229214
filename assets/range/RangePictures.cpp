// Drawing the range's pictures.
#include "range/RangePictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "draw/Backdrop.h"
#include "draw/Effects.h"
#include "draw/Guns.h"
#include "draw/Palette.h"
#include "draw/Shapes.h"
#include "draw/Text.h"
#include "draw/Widgets.h"
#include "range/FirearmsGalleryTable.h"
#include "range/GunOnRange.h"
#include "range/SimulatorGunTable.h"

namespace range {
namespace {

using art::GunModel;

std::string numbered(int number, const char* suffix) {
    char name[32];
    std::snprintf(name, sizeof name, "%02d%s", number, suffix);
    return name;
}

GunModel modelFor(const std::string& category) {
    if (category == "handgun") {
        return GunModel::Pistol;
    }
    if (category == "submachine") {
        return GunModel::SubmachineGun;
    }
    return GunModel::Rifle;
}

// Phone and tablet ("_ipad") of a picture whose tablet size is its own.
void addIpadPair(std::vector<RangePicture>& pictures, const std::string& phoneName, int width,
                 int height, int tabletWidth, int tabletHeight, FileKind kind,
                 std::function<void(cairo_t*, double, double)> draw) {
    const size_t dot = phoneName.rfind('.');
    pictures.push_back({phoneName, width, height, kind, draw});
    pictures.push_back({phoneName.substr(0, dot) + "_ipad" + phoneName.substr(dot), tabletWidth,
                        tabletHeight, kind, draw});
}

// The six simulator guns that are not assembly pictures, muzzle left, each laid out so that its
// muzzle lies where its profile's flash frame bursts from and the whole gun is on the screen.
void addGuns(std::vector<RangePicture>& pictures) {
    struct NewGun {
        const char* file;
        int id;
        double width;  // of the gun on the phone at its own size; twice that on the tablet
    };
    const art::GunDrawing& drawing = art::gunDrawing(GunModel::Rifle);
    for (const NewGun& gun : {NewGun{"ak47.png", 18, 200}, NewGun{"m16.png", 20, 185},
                              NewGun{"m249.png", 24, 155}, NewGun{"mossberg.png", 28, 185},
                              NewGun{"saiga.png", 29, 125}, NewGun{"spas.png", 30, 125}}) {
        const SimulatorGunConfig& config = *findSimulatorGun(gun.id);
        for (const bool tablet : {false, true}) {
            const double k = tablet ? 2 : 1;
            // A box of the drawing's own proportions, so that the muzzle is at its left edge.
            const auto boxAt = [&gun, &drawing, k](double size) {
                const double width = gun.width * k * size;
                return art::Rect{0, 0, width, width * drawing.height / drawing.width};
            };
            const RangeLayout layout = layoutOnRange(config, tablet, 1.0, [&boxAt](double size) {
                const art::Rect box = boxAt(size);
                return DrawnGun{box.width, box.height,
                                art::muzzlePoint(GunModel::Rifle, {box, true})};
            });
            std::string file = gun.file;
            if (tablet) {
                file.insert(file.rfind('.'), "@2x");
            }
            art::Rect box = boxAt(layout.size);
            box.x = layout.offset.x;
            box.y = layout.offset.y;
            pictures.push_back({file, layout.width, layout.height, FileKind::Png,
                                [box](cairo_t* cr, double, double) {
                                    art::drawGun(cr, GunModel::Rifle, {box, true});
                                },
                                layout.muzzle});
        }
    }
}

// The flash bursts leftwards from its kind's and profile's burst point, where the guns' muzzles
// are laid out.
void addFlashes(std::vector<RangePicture>& pictures) {
    struct FlashKind {
        int rodzajBlysku;
        int frames;
        const char* suffix;
        double reach;   // of the flash, as a part of the frame's width
        double fading;  // of its intensity from one frame to the next
    };
    for (const FlashKind& kind :
         {FlashKind{1, 3, "b.png", 0.3, 0.3}, FlashKind{2, 4, "masz.png", 0.36, 0.22}}) {
        for (int frame = 1; frame <= kind.frames; ++frame) {
            const std::string phone = numbered(frame, kind.suffix);
            for (const bool tablet : {false, true}) {
                const double k = tablet ? 2 : 1;
                const art::Point source = flashSource(kind.rodzajBlysku, tablet);
                std::string file = phone;
                if (tablet) {
                    file.insert(file.rfind('.'), "@2x");
                }
                pictures.push_back({file, static_cast<int>(250 * k), static_cast<int>(150 * k),
                                    FileKind::Png,
                                    [source, kind, frame](cairo_t* cr, double width, double) {
                                        art::drawMuzzleFlash(cr, source, width * kind.reach, true,
                                                             1.0 - (frame - 1) * kind.fading);
                                    },
                                    source});
            }
        }
    }
}

// A cloud that rises from the bottom, spreads and fades over `progress` from 0 to 1.
void drawRisingSmoke(cairo_t* cr, double width, double height, double progress) {
    const double opacity = progress < 0.15 ? progress / 0.15 : 1.0 - (progress - 0.15) / 0.85;
    for (int puff = 0; puff < 4; ++puff) {
        const double rise = progress * (0.55 + 0.1 * puff);
        const double x = width * (0.45 + 0.1 * std::sin(puff * 1.7 + progress * 3));
        const double y = height * (0.85 - rise - 0.08 * puff);
        art::drawSmokePuff(cr, {x, y}, width * (0.12 + 0.22 * progress), opacity);
    }
}

void addSmoke(std::vector<RangePicture>& pictures) {
    for (int frame = 1; frame <= 25; ++frame) {
        pictures.push_back({numbered(frame, ".png"), 300, 484, FileKind::Png,
                            [frame](cairo_t* cr, double width, double height) {
                                drawRisingSmoke(cr, width, height, frame / 25.0);
                            }});
    }
    // The phone's smoke waits eight blank frames for the flash before it rises.
    pictures.push_back({"00a.png", 150, 242, FileKind::Png, [](cairo_t*, double, double) {}});
    for (int frame = 1; frame <= 35; ++frame) {
        pictures.push_back({numbered(frame, "z.png"), 150, 242, FileKind::Png,
                            [frame](cairo_t* cr, double width, double height) {
                                drawRisingSmoke(cr, width, height, frame / 35.0);
                            }});
    }
}

void addMenu(std::vector<RangePicture>& pictures) {
    addIpadPair(pictures, "range_background.png", 480, 320, 1024, 768, FileKind::Png,
                [](cairo_t* cr, double width, double height) {
                    art::drawRangeBackdrop(cr, width, height, {0.42, 6, 0.2});
                });
    addIpadPair(pictures, "range_menu_strip.png", 1920, 320, 3840, 640, FileKind::Png,
                [](cairo_t* cr, double width, double height) {
                    art::drawRangeBackdrop(cr, width, height, {0.3, 24, 0.35});
                });
    for (const SimulatorGunConfig& gun : simulatorGuns()) {
        addIpadPair(pictures, "range_entry_" + std::to_string(gun.id_gun) + ".png", 160, 100, 320,
                    200, FileKind::Png, [&gun](cairo_t* cr, double width, double height) {
                        const double k = width / 160;
                        art::drawPanel(cr, {1, 1, width - 2, height - 2}, {});
                        art::drawGun(cr, modelFor(gun.category),
                                     {{10 * k, 8 * k, width - 20 * k, height - 36 * k}, true});
                        const std::string name = gun.rodzajStrzalu ? gun.rodzajStrzalu : "Pistol";
                        art::TextStyle style{11 * k, art::Weight::Bold, art::palette::amber, 1 * k};
                        style.size = art::fittingSize(cr, name, style, width - 16 * k);
                        art::drawTextCentered(cr, name, {0, height - 26 * k, width, 20 * k}, style);
                    });
    }
    addIpadPair(pictures, "range_lock_notice.png", 330, 200, 874, 500, FileKind::Png,
                [](cairo_t* cr, double width, double height) {
                    art::drawPanel(cr, {1, 1, width - 2, height - 2}, {});
                    const double k = width / 330;
                    art::drawAccentBar(cr, {20 * k, 46 * k, 90 * k, 3 * k});
                });
    addIpadPair(pictures, "range_lock_close.png", 40, 40, 80, 80, FileKind::Png,
                [](cairo_t* cr, double width, double height) {
                    art::drawRoundButton(cr, {0, 0, width, height}, art::Icon::Close, false);
                });
}

// Each gallery page: the range, one large gun of the category's kind and its page title.
void addGallery(std::vector<RangePicture>& pictures) {
    const char* titles[] = {"HANDGUNS", "AUTOMATIC GUNS", "HISTORY", "LONG GUNS"};
    const GunModel models[] = {GunModel::Pistol, GunModel::SubmachineGun, GunModel::Rifle,
                               GunModel::Rifle};
    for (const FirearmsCategory& category : firearmsCategories()) {
        const int index = category.ktoreMenuFirearms;
        for (int page = 0; page < category.pages; ++page) {
            const std::string phone = firearmsPagePicture(category, page, false);
            pictures.push_back({phone, 480, 320, FileKind::Jpeg, nullptr});
            pictures.push_back(
                {firearmsPagePicture(category, page, true), 1024, 768, FileKind::Jpeg, nullptr});
            const auto draw = [index, page, &category, title = titles[index],
                               model = models[index]](cairo_t* cr, double width, double height) {
                const double k = width / 480;
                art::drawRangeBackdrop(cr, width, height, {0.5, 6, 0.45});
                const double lean = (page % 2 == 0 ? -1 : 1) * 0.06;
                cairo_save(cr);
                cairo_translate(cr, width / 2, height * 0.55);
                cairo_rotate(cr, lean);
                art::drawGun(
                    cr, model,
                    {{-width * 0.34, -height * 0.22, width * 0.68, height * 0.44}, page % 2 == 1});
                cairo_restore(cr);
                // Below the gallery's back button, which sits at the top left.
                art::drawText(cr, title, {20 * k, 72 * k},
                              {22 * k, art::Weight::Bold, art::palette::textBright, 2 * k});
                art::drawAccentBar(cr, {20 * k, 80 * k, 80 * k, 3 * k});
                const std::string number =
                    std::to_string(page + 1) + " / " + std::to_string(category.pages);
                art::drawText(cr, number, {width - 20 * k, 72 * k},
                              {16 * k, art::Weight::Bold, art::palette::amber, 1 * k},
                              art::Align::Right);
            };
            pictures[pictures.size() - 2].draw = draw;
            pictures.back().draw = draw;
        }
    }
}

}  // namespace

std::vector<RangePicture> rangePictures() {
    std::vector<RangePicture> pictures;
    addGuns(pictures);
    addFlashes(pictures);
    addSmoke(pictures);
    addMenu(pictures);
    addGallery(pictures);
    return pictures;
}

}  // namespace range
