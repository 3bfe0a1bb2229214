// Pictures of the game hub: its backdrop, the six category buttons, the account and ranking
// buttons, the logged-in dot, the three sliding panels, and the gun selection's next button.
// Sizes follow the hub's layouts (iPhone/GameMenuController.json and its tablet twin).
#include "draw/Backdrop.h"
#include "draw/Guns.h"
#include "draw/Shapes.h"
#include "draw/Text.h"
#include "draw/Widgets.h"
#include "pictures/PictureCatalog.h"

namespace art {
namespace {

struct Category {
    const char* fileStem;  // "handguns" gives hub_handguns.png
    const char* title;
    GunModel model;
};

constexpr Category kCategories[] = {
    {"handguns", "HANDGUNS", GunModel::Pistol},
    {"submachine", "SUBMACHINE", GunModel::SubmachineGun},
    {"rifles", "RIFLES", GunModel::Rifle},
    {"machine", "MACHINE GUNS", GunModel::Rifle},
    {"sniper", "SNIPER", GunModel::Rifle},
    {"shotgun", "SHOTGUNS", GunModel::Rifle},
};

void drawHubBackground(cairo_t* cr, const PictureContext& c) {
    const double s = c.scale;
    BackdropStyle style;
    style.dimming = 0.5;
    drawRangeBackdrop(cr, c.width, c.height, style);
    // The top bar under the back, ranking and account buttons, and the total's strip.
    fillVertical(cr, {0, 0, c.width, 46 * s}, rgb(0x0a0d11, 0.8), rgb(0x0a0d11, 0.45));
    drawAccentBar(cr, {0, 46 * s, c.width * 0.6, 2 * s});
    roundedRect(cr, {c.width * 0.28, c.height - 34 * s, c.width * 0.44, 28 * s}, 8 * s);
    setColor(cr, rgb(0x0a0d11, 0.6));
    cairo_fill(cr);
}

void drawCategoryButton(cairo_t* cr, const PictureContext& c, const Category& category,
                        bool highlighted) {
    const double s = c.scale;
    drawPanel(cr, {1, 1, c.width - 2, c.height - 2}, cardStyle(s, highlighted));
    if (highlighted) {
        glow(cr, {c.width / 2, c.height * 0.42}, c.width * 0.45, palette::amber.withAlpha(0.3));
    }
    drawGun(cr, category.model,
            {{c.width * 0.14, c.height * 0.1, c.width * 0.72, c.height * 0.58}});
    TextStyle title{11 * s, Weight::Bold, highlighted ? palette::amberBright : palette::textBright,
                    1.5 * s};
    title.size = fittingSize(cr, category.title, title, c.width * 0.9);
    drawTextCentered(cr, category.title, {0, c.height * 0.72, c.width, c.height * 0.2}, title);
}

void drawGreenDot(cairo_t* cr, const PictureContext& c) {
    const double radius = std::min(c.width, c.height) / 2 - 1;
    glow(cr, {c.width / 2, c.height / 2}, radius + 1, rgb(0x40ff70, 0.35));
    cairo_arc(cr, c.width / 2, c.height / 2, radius * 0.7, 0, 6.2832);
    cairo_pattern_t* shine = cairo_pattern_create_radial(c.width * 0.4, c.height * 0.4, 0,
                                                         c.width / 2, c.height / 2, radius * 0.7);
    cairo_pattern_add_color_stop_rgb(shine, 0, 0.75, 1, 0.8);
    cairo_pattern_add_color_stop_rgb(shine, 1, 0.1, 0.65, 0.25);
    cairo_set_source(cr, shine);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
}

PictureSpec panelPicture(std::string name, int width, int height) {
    return {std::move(name),
            width,
            height,
            width * 2,
            height * 2,
            2,
            [](cairo_t* cr, const PictureContext& c) {
                const double s = c.scale;
                drawPanel(cr, {0, 0, c.width, c.height},
                          {rgb(0x2f3843), rgb(0x161b21), palette::panelBorder, 10 * s, 1});
                cairo_rectangle(cr, 10 * s, 2 * s, 3 * s, 22 * s);
                setColor(cr, palette::amber.withAlpha(0.8));
                cairo_fill(cr);
            }};
}

PictureSpec labelledButton(std::string name, int width, int height, int tabletWidth,
                           int tabletHeight, ButtonLook look) {
    return {std::move(name),
            width,
            height,
            tabletWidth,
            tabletHeight,
            double(tabletHeight) / height,
            [look](cairo_t* cr, const PictureContext& c) {
                ButtonLook scaled = look;
                scaled.scale = c.scale;
                drawButton(cr, {0, 0, c.width, c.height}, scaled);
            }};
}

}  // namespace

std::vector<PictureSpec> hubPictures() {
    std::vector<PictureSpec> pictures;
    pictures.push_back({"hub_background.png", 480, 320, 1024, 768, 2.2, drawHubBackground});
    for (const Category& category : kCategories) {
        for (bool highlighted : {false, true}) {
            pictures.push_back({std::string("hub_") + category.fileStem +
                                    (highlighted ? "_highlighted.png" : ".png"),
                                140, 90, 299, 216, 2.2,
                                [&category, highlighted](cairo_t* cr, const PictureContext& c) {
                                    drawCategoryButton(cr, c, category, highlighted);
                                }});
        }
    }
    for (bool highlighted : {false, true}) {
        const char* suffix = highlighted ? "_highlighted.png" : ".png";
        pictures.push_back(labelledButton(std::string("hub_account_button") + suffix, 66, 30, 141,
                                          72, {"ACCOUNT", "", Icon::None, highlighted}));
        pictures.push_back(labelledButton(std::string("hub_ranking_button") + suffix, 66, 30, 141,
                                          72, {"RANKING", "", Icon::None, highlighted}));
        pictures.push_back(labelledButton(std::string("next_button") + suffix, 84, 30, 179, 72,
                                          {"NEXT", "", Icon::None, highlighted}));
    }
    pictures.push_back({"greenDot.png", 16, 16, 32, 32, 2, drawGreenDot});
    pictures.push_back(panelPicture("hub_settings_panel.png", 280, 130));
    pictures.push_back(panelPicture("hub_after_login_panel.png", 240, 132));
    // Wider on the phone than half the tablet's, to hold the country picker beside the fields.
    PictureSpec userDetails = panelPicture("hub_user_details_panel.png", 400, 280);
    userDetails.tabletWidth = 600;
    pictures.push_back(std::move(userDetails));
    return pictures;
}

}  // namespace art
