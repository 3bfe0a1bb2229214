// Background, panel and unlock pictures of the play screen.
#include "guns/PlayPictures.h"

#include <map>

#include "draw/Backdrop.h"
#include "draw/Guns.h"
#include "draw/Palette.h"
#include "draw/Shapes.h"
#include "draw/Text.h"

namespace guns {
namespace {

void drawBackground(cairo_t* cr, double width, double height, double scale, const std::string&) {
    art::BackdropStyle style;
    style.dimming = 0.55;
    art::drawRangeBackdrop(cr, width, height, style);
    // The workbench mat the parts lie on.
    const art::Rect mat{10 * scale, 32 * scale, width - 20 * scale, height - 42 * scale};
    art::roundedRect(cr, mat, 12 * scale);
    art::setColor(cr, art::rgb(0x3c4d44, 0.85));
    cairo_fill(cr);
    art::roundedRect(cr, mat.inset(0.5), 12 * scale);
    art::setColor(cr, art::rgb(0xffffff, 0.06));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawPanelPicture(cairo_t* cr, double width, double height, double scale, const std::string&) {
    art::PanelStyle style;
    style.radius = 10 * scale;
    style.borderWidth = scale;
    art::drawPanel(cr, {1, 1, width - 2, height - 2}, style);
}

struct Unlock {
    const char* title;
    art::GunModel model;
};

const std::map<std::string, Unlock>& unlocks() {
    static const std::map<std::string, Unlock> table = {
        {"con_handguns.png", {"HANDGUNS", art::GunModel::Pistol}},
        {"con_rifles.png", {"RIFLES", art::GunModel::Rifle}},
        {"con_machine.png", {"MACHINE GUNS", art::GunModel::Rifle}},
        {"con_shotguns.png", {"SHOTGUNS", art::GunModel::Rifle}},
        {"con_sniper.png", {"SNIPER RIFLES", art::GunModel::Rifle}},
        {"con_sub.png", {"SUBMACHINE GUNS", art::GunModel::SubmachineGun}},
    };
    return table;
}

void drawUnlock(cairo_t* cr, double width, double height, double scale, const std::string& name) {
    const Unlock& unlock = unlocks().at(name);
    art::glow(cr, {width / 2, height * 0.42}, width * 0.45, art::palette::amber.withAlpha(0.25));
    art::drawGun(cr, unlock.model, {{width * 0.22, height * 0.08, width * 0.56, height * 0.5}});
    art::TextStyle title{20 * scale, art::Weight::Bold, art::palette::textBright, 2 * scale};
    title.size = art::fittingSize(cr, unlock.title, title, width * 0.9);
    art::drawTextCentered(cr, unlock.title, {0, height * 0.6, width, height * 0.18}, title);
    art::TextStyle line{11 * scale, art::Weight::Bold, art::palette::amber, 3 * scale};
    art::drawTextCentered(cr, "CATEGORY UNLOCKED", {0, height * 0.8, width, height * 0.14}, line);
}

}  // namespace

std::vector<ScreenPicture> playScreenPictures() {
    std::vector<ScreenPicture> pictures = {
        {"play_background.png", 480, 320, 1024, 768, drawBackground},
        {"play_panel.png", 300, 175, 600, 350, drawPanelPicture},
    };
    for (const auto& [name, unlock] : unlocks()) {
        pictures.push_back({name, 320, 130, 640, 260, drawUnlock});
    }
    return pictures;
}

}  // namespace guns
