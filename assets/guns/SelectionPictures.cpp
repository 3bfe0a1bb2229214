// Drawing the gun selection's pages. The cards sit where the pages' layouts put the gun
// buttons, three across and two down, with the score label's strip under each.
#include "guns/SelectionPictures.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "draw/Backdrop.h"
#include "draw/Palette.h"
#include "draw/Shapes.h"
#include "draw/Text.h"
#include "game/GunAssembly.h"
#include "game/GunSelectionPages.h"
#include "guns/GunPictures.h"

namespace guns {
namespace {

// The gun buttons of the selection layouts, per profile.
struct PageGrid {
    int width;
    int height;
    std::array<double, 3> columns;
    std::array<double, 2> rows;
    double cardWidth;
    double cardHeight;
    double labelHeight;  // the score label right under the card
    double scale;        // of the drawing's lines and type: 1 on the phone
};

constexpr PageGrid kPhoneGrid{480, 320, {18, 170, 322}, {52, 178}, 140, 96, 20, 1};
constexpr PageGrid kTabletGrid{1024, 768, {38, 363, 687}, {125, 427}, 299, 230, 48, 2.1};

const PageGrid& gridFor(bool onTablet) {
    return onTablet ? kTabletGrid : kPhoneGrid;
}

art::Rect cardAt(const PageGrid& grid, int position) {
    const size_t index = static_cast<size_t>(position - 1);
    return {grid.columns[index % 3], grid.rows[index / 3], grid.cardWidth, grid.cardHeight};
}

const char* titleOf(const std::string& category) {
    if (category == "handgun") {
        return "HANDGUNS";
    }
    if (category == "submachine") {
        return "SUBMACHINE GUNS";
    }
    if (category == "rifles") {
        return "RIFLES";
    }
    if (category == "machineguns") {
        return "MACHINE GUNS";
    }
    if (category == "sniper") {
        return "SNIPER RIFLES";
    }
    return "SHOTGUNS";
}

void drawCard(cairo_t* cr, const PageGrid& grid, const art::Rect& card, int idGun, bool lit) {
    const double s = grid.scale;
    art::drawPanel(cr, card.inset(1), art::cardStyle(s, lit));
    if (lit) {
        art::glow(cr, {card.x + card.width / 2, card.y + card.height / 2}, card.width * 0.5,
                  art::palette::amber.withAlpha(0.3));
    }
    const double pad = 10 * s;
    drawFinishedGun(
        cr, idGun,
        {card.x + pad, card.y + pad, card.width - 2 * pad, card.height - 2 * pad - 6 * s});
    char number[8];
    std::snprintf(number, sizeof number, "%d", idGun);
    art::drawText(
        cr, number, {card.x + 8 * s, card.y + card.height - 7 * s},
        {9 * s, art::Weight::Bold, lit ? art::palette::amberBright : art::palette::amber, s});
    // The strip the best score is written on.
    art::drawInset(
        cr, {card.x + 8 * s, card.y + card.height + 1, card.width - 16 * s, grid.labelHeight - 2},
        4 * s);
}

// A whole page: the range, the top bar with the title, a card for every gun of `idGuns` and
// the dark strip under the total's labels; the card at `litPosition` (0: none) is drawn pressed.
void drawPage(cairo_t* cr, bool onTablet, const std::string& title,
              const std::array<int, kSelectionPagePositions>& idGuns, int litPosition) {
    const PageGrid& grid = gridFor(onTablet);
    const double s = grid.scale;
    const double w = grid.width;
    const double h = grid.height;
    art::BackdropStyle backdrop;
    backdrop.dimming = 0.6;
    art::drawRangeBackdrop(cr, w, h, backdrop);
    const double bar = grid.rows[0] - 8 * s;
    cairo_rectangle(cr, 0, 0, w, bar);
    art::setColor(cr, art::rgb(0x0d1014, 0.9));
    cairo_fill(cr);
    art::drawAccentBar(cr, {w * 0.3, bar - 2 * s, w * 0.4, 2 * s}, art::AccentFade::BothWays);
    art::TextStyle heading{16 * s, art::Weight::Bold, art::palette::textBright, 2 * s};
    heading.size = art::fittingSize(cr, title, heading, w * 0.45);
    art::drawTextCentered(cr, title, {w * 0.25, 0, w * 0.5, bar}, heading);
    const double totalTop = h - 30 * s;
    cairo_rectangle(cr, 0, totalTop, w, h - totalTop);
    art::setColor(cr, art::rgb(0x0d1014, 0.85));
    cairo_fill(cr);
    for (int position = 1; position <= kSelectionPagePositions; ++position) {
        const int idGun = idGuns[static_cast<size_t>(position - 1)];
        if (idGun != 0) {
            drawCard(cr, grid, cardAt(grid, position), idGun, position == litPosition);
        }
    }
}

// The pressed picture of one button: the page cut to the button's frame, its card lit.
DrawnPicture pressedPicture(std::string file, bool onTablet, std::string title,
                            std::array<int, kSelectionPagePositions> idGuns, int position) {
    const PageGrid& grid = gridFor(onTablet);
    const art::Rect card = cardAt(grid, position);
    return {std::move(file), static_cast<int>(card.width), static_cast<int>(card.height), true,
            [=](cairo_t* cr) {
                cairo_translate(cr, -card.x, -card.y);
                drawPage(cr, onTablet, title, idGuns, position);
            }};
}

}  // namespace

std::vector<DrawnPicture> selectionPictures() {
    std::vector<DrawnPicture> pictures;
    for (const GunSelectionPage& page : gunSelectionPages()) {
        const std::string title = titleOf(page.category);
        for (bool onTablet : {false, true}) {
            const PageGrid& grid = gridFor(onTablet);
            pictures.push_back({selectionBackgroundName(page, onTablet), grid.width, grid.height,
                                true, [onTablet, title, ids = page.idGuns](cairo_t* cr) {
                                    drawPage(cr, onTablet, title, ids, 0);
                                }});
            for (int position = 1; position <= kSelectionPagePositions; ++position) {
                const std::string name = selectionHighlightedName(page, position, onTablet);
                if (!name.empty()) {
                    pictures.push_back(
                        pressedPicture(name, onTablet, title, page.idGuns, position));
                }
            }
        }
    }
    // The second handgun page: handguns 7 to 11 over the first page's picture, and the pressed
    // pictures of its buttons, as its layouts name them.
    const std::array<int, kSelectionPagePositions> secondPage = {7, 8, 9, 10, 11, 0};
    for (bool onTablet : {false, true}) {
        const PageGrid& grid = gridFor(onTablet);
        pictures.push_back({onTablet ? "g_hand_select_02_ipad.png" : "g_hand_select_02.png",
                            grid.width, grid.height, false, [onTablet, secondPage](cairo_t* cr) {
                                drawPage(cr, onTablet, "HANDGUNS  2 / 2", secondPage, 0);
                            }});
        for (int position = 1; position <= 5; ++position) {
            char name[32];
            std::snprintf(name, sizeof name, "g_hand_%02dak%s.jpg", position + 6,
                          onTablet ? "@2x" : "");
            pictures.push_back(
                pressedPicture(name, onTablet, "HANDGUNS  2 / 2", secondPage, position));
        }
    }
    return pictures;
}

}  // namespace guns
