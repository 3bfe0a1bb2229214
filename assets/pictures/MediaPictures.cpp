// Pictures of the tutorial menu and the about page: their backgrounds, framed where their
// layouts (iPhone/TutorialGameController.json, iPhone/AboutController.json and the tablet
// twins) put the text, and the tutorial menu's buttons.
#include "draw/Backdrop.h"
#include "draw/Shapes.h"
#include "draw/Widgets.h"
#include "pictures/PictureCatalog.h"

namespace art {
namespace {

// The dark bar, `bar` high, under the back button and the screen's title, with its amber rule.
void drawTitleBar(cairo_t* cr, const PictureContext& c, double bar) {
    const double s = c.scale;
    fillVertical(cr, {0, 0, c.width, bar}, rgb(0x0a0d11, 0.9), rgb(0x0a0d11, 0.6));
    drawAccentBar(cr, {c.width * 0.3, bar - 2 * s, c.width * 0.4, 2 * s}, AccentFade::BothWays);
}

// Film perforations down both edges: the tutorials are movies.
void drawFilmEdges(cairo_t* cr, const PictureContext& c) {
    const double s = c.scale;
    const double hole = 7 * s;
    for (double x : {8 * s, c.width - 8 * s - hole}) {
        for (double y = 56 * s; y + hole < c.height - 6 * s; y += 16 * s) {
            roundedRect(cr, {x, y, hole, hole * 0.8}, 1.5 * s);
        }
    }
    setColor(cr, rgb(0x8da2b8, 0.16));
    cairo_fill(cr);
}

void drawTutorialBackground(cairo_t* cr, const PictureContext& c) {
    drawRangeBackdrop(cr, c.width, c.height, {0.46, 6, 0.55});
    drawTitleBar(cr, c, 46 * c.scale);
    drawFilmEdges(cr, c);
}

// The about page's title bar, deep enough for the version under the title, and its sections:
// what the game is, how to play, credits.
struct AboutFrames {
    double bar;
    Rect intro;
    Rect howToPlay;
    Rect credits;
};

AboutFrames aboutFrames(Profile profile) {
    if (profile == Profile::Tablet) {
        return {138, {40, 143, 944, 114}, {40, 253, 944, 280}, {40, 532, 944, 226}};
    }
    return {57, {16, 58, 448, 48}, {16, 104, 448, 118}, {16, 220, 448, 96}};
}

void drawAboutBackground(cairo_t* cr, const PictureContext& c) {
    const double s = c.scale;
    drawRangeBackdrop(cr, c.width, c.height, {0.46, 6, 0.7});
    const AboutFrames frames = aboutFrames(c.profile);
    drawTitleBar(cr, c, frames.bar);
    for (const Rect& section : {frames.intro, frames.howToPlay, frames.credits}) {
        drawPanel(cr, section.inset(2 * s),
                  {rgb(0x1e252d, 0.82), rgb(0x0f1318, 0.82), palette::panelBorder, 7 * s, 1});
    }
    // A faint crosshair in the corner of the how-to-play section.
    const Rect& play = frames.howToPlay;
    const double side = play.height * 0.6;
    drawIcon(cr, Icon::Crosshair,
             {play.right() - side - 10 * s, play.centerY() - side / 2, side, side},
             palette::amber.withAlpha(0.12));
}

void drawTutorialButton(cairo_t* cr, const PictureContext& c, bool highlighted) {
    // No label of its own: the button writes its tutorial's title over the picture.
    drawButton(cr, {0, 0, c.width, c.height}, {"", "", Icon::Play, highlighted, c.scale});
}

}  // namespace

std::vector<PictureSpec> mediaPictures() {
    std::vector<PictureSpec> pictures;
    pictures.push_back(
        {"tutorial_background.png", 480, 320, 1024, 768, 2.1, drawTutorialBackground});
    pictures.push_back({"about_background.png", 480, 320, 1024, 768, 2.1, drawAboutBackground});
    for (bool highlighted : {false, true}) {
        pictures.push_back({highlighted ? "tutorial_button_highlighted.png" : "tutorial_button.png",
                            240, 52, 512, 125, 2.2,
                            [highlighted](cairo_t* cr, const PictureContext& c) {
                                drawTutorialButton(cr, c, highlighted);
                            }});
    }
    return pictures;
}

}  // namespace art
