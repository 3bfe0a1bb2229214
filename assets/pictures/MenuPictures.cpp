// Pictures of the main menu: its background, the six entry buttons, the settings button and
// window, and the back button that every other screen shares.
#include <cmath>

#include "draw/Backdrop.h"
#include "draw/Guns.h"
#include "draw/Shapes.h"
#include "draw/Text.h"
#include "draw/Widgets.h"
#include "pictures/MenuLayout.h"
#include "pictures/PictureCatalog.h"

namespace art {
namespace {

struct MenuEntry {
    const char* fileStem;  // "game" gives menu_button_game.png
    const char* label;
    const char* caption;
    Icon icon;
};

constexpr MenuEntry kMenuEntries[] = {
    {"game", "PLAY", "Build guns, beat the clock", Icon::Pistol},
    {"rifle_range", "RIFLE RANGE", "Fire 22 guns on the range", Icon::Crosshair},
    {"firearms", "FIREARMS", "Picture gallery", Icon::Rifle},
    {"ravuravov", "RAVURAVOV", "Encyclopedia of 29 guns", Icon::Book},
    {"tutorial", "TUTORIAL", "Watch how it is done", Icon::Play},
    {"about", "ABOUT", "Kalvorn and its makers", Icon::Info},
};

void drawMenuBackground(cairo_t* cr, const PictureContext& c) {
    const double s = c.scale;
    MenuLayout layout = menuLayout(c.profile);
    drawRangeBackdrop(cr, c.width, c.height);

    // The column behind the entries: glass over the range.
    roundedRect(cr, layout.buttonColumn, 10 * s);
    setColor(cr, rgb(0x0a0d11, 0.55));
    cairo_fill(cr);
    roundedRect(cr, layout.buttonColumn.inset(0.5), 10 * s);
    cairo_set_line_width(cr, 1);
    setColor(cr, rgb(0xffffff, 0.07));
    cairo_stroke(cr);

    // Title with a soft shadow, the amber bar and the tagline.
    const Rect& title = layout.title;
    TextStyle titleStyle{40 * s, Weight::Bold, palette::textBright, 5 * s};
    titleStyle.size = fittingSize(cr, "KALVORN", titleStyle, title.width);
    double baseline = title.y + titleStyle.size * 0.8;
    TextStyle shadowStyle = titleStyle;
    shadowStyle.color = rgb(0x000000, 0.6);
    drawText(cr, "KALVORN", {title.x + 2 * s, baseline + 3 * s}, shadowStyle);
    drawText(cr, "KALVORN", {title.x, baseline}, titleStyle);
    drawAccentBar(cr, {title.x, baseline + 9 * s, title.width * 0.55, 3 * s});
    TextStyle taglineStyle{9.5 * s, Weight::Bold, palette::amber, 2.4 * s};
    drawText(cr, "ASSEMBLE \u00b7 FIRE \u00b7 COMPETE", {title.x, baseline + 27 * s}, taglineStyle);

    // The pistol under a spotlight, tilted as if lifted from the bench.
    const Rect& gun = layout.gun;
    cairo_save(cr);
    cairo_translate(cr, gun.centerX(), gun.bottom() - gun.height * 0.08);
    cairo_scale(cr, 1, 0.22);
    glow(cr, {0, 0}, gun.width * 0.55, rgb(0x000000, 0.7));
    cairo_restore(cr);
    glow(cr, gun.center(), gun.width * 0.6, rgb(0xf0a030, 0.10));
    cairo_save(cr);
    cairo_translate(cr, gun.centerX(), gun.centerY());
    cairo_rotate(cr, -0.12);
    cairo_translate(cr, -gun.centerX(), -gun.centerY());
    drawGun(cr, GunModel::Pistol, {gun, false});
    cairo_restore(cr);
}

void drawSettingsPanel(cairo_t* cr, const PictureContext& c) {
    SettingsLayout layout = settingsLayout(c.profile);
    const double s = layout.scale;
    Rect panel{0, 0, c.width, c.height};
    drawPanel(cr, panel, {rgb(0x2f3843), rgb(0x161b21), palette::panelBorder, 10 * s, 1});

    // Header: amber gear, title, a rule under it.
    double headerMid = layout.headerHeight / 2 + 1;
    double iconSide = layout.headerHeight * 0.5;
    drawIcon(cr, Icon::Gear, {12 * s, headerMid - iconSide / 2, iconSide, iconSide},
             palette::amber);
    TextStyle title{13 * s, Weight::Bold, palette::textBright, 2 * s};
    drawTextCentered(
        cr, "SETTINGS",
        {12 * s + iconSide + 8 * s, headerMid - 10 * s, textWidth(cr, "SETTINGS", title), 20 * s},
        title);
    cairo_move_to(cr, 10 * s, layout.headerHeight + 0.5);
    cairo_line_to(cr, c.width - 10 * s, layout.headerHeight + 0.5);
    cairo_set_line_width(cr, 1);
    setColor(cr, rgb(0x000000, 0.5));
    cairo_stroke(cr);
    cairo_move_to(cr, 10 * s, layout.headerHeight + 1.5);
    cairo_line_to(cr, c.width - 10 * s, layout.headerHeight + 1.5);
    setColor(cr, rgb(0xffffff, 0.06));
    cairo_stroke(cr);

    // The row for the "Music" label and the switch; the screen puts both on top.
    drawInset(cr, layout.row, 6 * s);
    cairo_rectangle(cr, layout.row.x, layout.row.y + 8 * s, 2 * s, layout.row.height - 16 * s);
    setColor(cr, palette::amber.withAlpha(0.8));
    cairo_fill(cr);
}

PictureSpec buttonPicture(std::string name, int width, int height, ButtonLook look) {
    return {std::move(name),
            width,
            height,
            width * 2,
            height * 2,
            2,
            [look](cairo_t* cr, const PictureContext& c) {
                ButtonLook scaled = look;
                scaled.scale = c.scale;
                drawButton(cr, {0, 0, c.width, c.height}, scaled);
            }};
}

PictureSpec roundButtonPicture(std::string name, int side, int tabletSide, Icon icon,
                               bool highlighted) {
    return {std::move(name),
            side,
            side,
            tabletSide,
            tabletSide,
            double(tabletSide) / side,
            [icon, highlighted](cairo_t* cr, const PictureContext& c) {
                drawRoundButton(cr, {0, 0, c.width, c.height}, icon, highlighted);
            }};
}

}  // namespace

std::vector<PictureSpec> menuPictures() {
    std::vector<PictureSpec> pictures;
    pictures.push_back({"menu_background.png", 480, 320, 1024, 768, 2, drawMenuBackground});

    for (const MenuEntry& entry : kMenuEntries) {
        std::string stem = std::string("menu_button_") + entry.fileStem;
        for (bool highlighted : {false, true}) {
            pictures.push_back(
                buttonPicture(stem + (highlighted ? "_highlighted.png" : ".png"), 200, 40,
                              {entry.label, entry.caption, entry.icon, highlighted}));
        }
    }

    for (bool highlighted : {false, true}) {
        const char* suffix = highlighted ? "_highlighted.png" : ".png";
        pictures.push_back(roundButtonPicture(std::string("menu_settings_button") + suffix, 42, 84,
                                              Icon::Gear, highlighted));
        pictures.push_back(roundButtonPicture(std::string("settings_close_button") + suffix, 28, 40,
                                              Icon::Close, highlighted));
        pictures.push_back(buttonPicture(std::string("back_button") + suffix, 84, 30,
                                         {"BACK", "", Icon::BackArrow, highlighted}));
    }

    // The OK button of the settings window has the window's own tablet size.
    for (bool highlighted : {false, true}) {
        const char* suffix = highlighted ? "_highlighted.png" : ".png";
        SettingsLayout phone = settingsLayout(Profile::Phone);
        SettingsLayout tablet = settingsLayout(Profile::Tablet);
        pictures.push_back({std::string("settings_ok_button") + suffix, int(phone.okButton.width),
                            int(phone.okButton.height), int(tablet.okButton.width),
                            int(tablet.okButton.height), tablet.scale,
                            [highlighted](cairo_t* cr, const PictureContext& c) {
                                drawButton(cr, {0, 0, c.width, c.height},
                                           {"OK", "", Icon::Check, highlighted, c.scale});
                            }});
    }

    SettingsLayout phone = settingsLayout(Profile::Phone);
    SettingsLayout tablet = settingsLayout(Profile::Tablet);
    pictures.push_back({"settings_panel.png", int(phone.width), int(phone.height),
                        int(tablet.width), int(tablet.height), tablet.scale, drawSettingsPanel});
    return pictures;
}

}  // namespace art
