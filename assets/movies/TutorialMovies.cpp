// The three tutorial movies ("tutorial1" to "tutorial3", MP4, shared by phone and tablet): the
// tutorial's title, then the parts of a gun flying together as the player drags them in the
// assembly game, with the clock running until the gun is whole, ending on the points that time
// earns in the game.
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/Noise.h"
#include "draw/Backdrop.h"
#include "draw/Canvas.h"
#include "draw/Guns.h"
#include "draw/Shapes.h"
#include "draw/Text.h"
#include "game/Scoring.h"
#include "movies/Fade.h"
#include "movies/MovieCatalog.h"
#include "movies/Timeline.h"

namespace art {
namespace {

constexpr double kAssemblyStart = 0.7;
constexpr double kPartFlight = 0.7;
constexpr double kPartStagger = 0.16;

struct Tutorial {
    const char* file;
    const char* number;
    const char* title;
    GunModel gun;
};

constexpr Tutorial kTutorials[] = {
    {"tutorial1.mp4", "TUTORIAL 1", "MACHINE GUNS", GunModel::Rifle},
    {"tutorial2.mp4", "TUTORIAL 2", "PISTOLS", GunModel::Pistol},
    {"tutorial3.mp4", "TUTORIAL 3", "MACHINE PISTOLS", GunModel::SubmachineGun},
};

// Where each part starts: pushed away from the middle of the gun, above or below it, turned a
// little; always the same for the same gun.
std::vector<PartPose> scatteredPoses(GunModel model) {
    const GunDrawing& gun = gunDrawing(model);
    Noise noise(std::uint32_t(gun.parts.size()) * 7919u);
    std::vector<PartPose> poses;
    for (size_t i = 0; i < gun.parts.size(); ++i) {
        double centerX = 0;
        for (const Point& p : gun.parts[i].outline) {
            centerX += p.x;
        }
        centerX /= double(gun.parts[i].outline.size());
        double outwards = centerX < gun.width / 2 ? -1 : 1;
        double upOrDown = i % 2 == 0 ? -1 : 1;
        poses.push_back({{outwards * gun.width * (0.1 + 0.15 * std::abs(noise.next())),
                          upOrDown * gun.height * (0.15 + 0.15 * std::abs(noise.next()))},
                         0.7 * noise.next()});
    }
    return poses;
}

FrameDrawer tutorialScene(const Tutorial& tutorial, int width, int height, double seconds) {
    auto backdrop = std::make_shared<Canvas>(width, height);
    drawRangeBackdrop(backdrop->context(), width, height, {0.5, 6, 0.6});
    const double w = width;
    const double h = height;
    const double s = std::min(w / 480, h / 320);
    const std::vector<PartPose> scattered = scatteredPoses(tutorial.gun);
    const size_t partCount = scattered.size();
    const double assembled = kAssemblyStart + kPartStagger * double(partCount - 1) + kPartFlight;

    return [=](cairo_t* cr, double t) {
        cairo_set_source_surface(cr, backdrop->surface(), 0, 0);
        cairo_paint(cr);

        double heading = progress(t, 0.1, 0.5);
        drawText(cr, tutorial.number, {w / 2, 42 * s},
                 {10 * s, Weight::Bold, palette::amber.withAlpha(heading), 3 * s}, Align::Center);
        drawText(cr, tutorial.title, {w / 2, 72 * s},
                 {26 * s, Weight::Bold, palette::textBright.withAlpha(heading), 3 * s},
                 Align::Center);
        drawAccentBar(cr, {w / 2 - 50 * s * heading, 82 * s, 100 * s * heading, 2.5 * s},
                      AccentFade::BothWays);

        // Each part flies from its scattered place into the gun, one after another.
        std::vector<PartPose> poses(partCount);
        for (size_t i = 0; i < partCount; ++i) {
            double start = kAssemblyStart + kPartStagger * double(i);
            double p = easeInOut(progress(t, start, start + kPartFlight));
            poses[i] = {{scattered[i].offset.x * (1 - p), scattered[i].offset.y * (1 - p)},
                        scattered[i].angle * (1 - p)};
        }
        Rect gunBox{w * 0.2, h * 0.36, w * 0.6, h * 0.32};
        double done = progress(t, assembled, assembled + 0.25);
        if (done > 0) {
            glow(cr, gunBox.center(), gunBox.width * 0.55, palette::amber.withAlpha(0.18 * done));
        }
        drawGunParts(cr, tutorial.gun, {gunBox, false}, poses);

        // The game's clock, stopping when the last part is in; then it moves aside for the
        // points that time is worth.
        double clock = std::max(0.0, std::min(t, assembled) - kAssemblyStart);
        double aside = easeOut(progress(t, assembled + 0.15, assembled + 0.5));
        Rect clockBox{w / 2 - 55 * s - 62 * s * aside, h - 58 * s, 110 * s, 30 * s};
        const Color panelTop = rgb(0x2b333d, 0.9);
        const Color panelBottom = rgb(0x171c22, 0.9);
        drawPanel(cr, clockBox, {panelTop, panelBottom, palette::panelBorder, 6 * s, 1});
        drawTextCentered(
            cr, secondsText(float(clock)), clockBox,
            {15 * s, Weight::Bold, done > 0 ? palette::amberBright : palette::textBright, 1 * s});
        if (aside > 0) {
            char points[24];
            std::snprintf(points, sizeof points, "%d pts", pointsForTime(float(clock)));
            Rect pointsBox{w / 2 + 7 * s, clockBox.y, 110 * s, 30 * s};
            cairo_push_group(cr);
            drawPanel(cr, pointsBox, {panelTop, panelBottom, palette::amber, 6 * s, 1});
            drawTextCentered(cr, points, pointsBox,
                             {15 * s, Weight::Bold, palette::amberBright, 1 * s});
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, aside);
        }
        const char* caption = done > 0 ? "ASSEMBLED!" : "DRAG THE PARTS TOGETHER";
        drawText(cr, caption, {w / 2, h - 68 * s},
                 {9 * s, Weight::Bold, done > 0 ? palette::amber : palette::textMuted, 2 * s},
                 Align::Center);

        paintFadeFromAndToBlack(cr, t, seconds, 0.3, 0.5);
    };
}

}  // namespace

std::vector<MovieSpec> tutorialMovies() {
    std::vector<MovieSpec> movies;
    for (const Tutorial& tutorial : kTutorials) {
        // Twice the phone's size, so the tablet shows it sharp as well.
        movies.push_back(
            {tutorial.file, 960, 640, 4.0, [&tutorial](int width, int height, double seconds) {
                 return tutorialScene(tutorial, width, height, seconds);
             }});
    }
    return movies;
}

}  // namespace art
