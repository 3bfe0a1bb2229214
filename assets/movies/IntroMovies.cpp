// The intro movie, for the phone ("intro.mp4") and the tablet ("GUN_INTRO1.mov"): a pistol
// slides onto the dark range and fires, the name "KALVORN" settles under it, and the picture
// fades to black. Four seconds, well inside the intro screen's six-second limit.
#include <algorithm>
#include <cmath>
#include <memory>

#include "draw/Backdrop.h"
#include "draw/Canvas.h"
#include "draw/Effects.h"
#include "draw/Guns.h"
#include "draw/Shapes.h"
#include "draw/Text.h"
#include "movies/Fade.h"
#include "movies/MovieCatalog.h"
#include "movies/Timeline.h"

namespace art {
namespace {

constexpr double kShotTime = 1.3;

FrameDrawer introScene(int width, int height, double seconds) {
    auto backdrop = std::make_shared<Canvas>(width, height);
    drawRangeBackdrop(backdrop->context(), width, height, {0.5, 6, 0.55});
    const double w = width;
    const double h = height;
    const double s = std::min(w / 480, h / 320);

    return [=](cairo_t* cr, double t) {
        cairo_set_source_surface(cr, backdrop->surface(), 0, 0);
        cairo_paint(cr);

        // The pistol slides in from the right, muzzle first, and kicks up when it fires.
        Rect rest{w / 2 - 120 * s, h * 0.40 - 70 * s, 240 * s, 150 * s};
        double slide = easeOut(progress(t, 0.15, 1.05));
        double kick = t < kShotTime ? 0
                                    : std::exp(-(t - kShotTime) / 0.08) *
                                          std::min(1.0, (t - kShotTime) / 0.02);
        GunPlacement placement{{rest.x + (1 - slide) * (w - rest.x + 20 * s) + kick * 8 * s, rest.y,
                                rest.width, rest.height},
                               true};
        Point muzzle = muzzlePoint(GunModel::Pistol, placement);
        cairo_save(cr);
        Point grip{placement.box.centerX() + 40 * s, placement.box.bottom()};
        cairo_translate(cr, grip.x, grip.y);
        cairo_rotate(cr, kick * 0.22);
        cairo_translate(cr, -grip.x, -grip.y);
        drawGun(cr, GunModel::Pistol, placement);
        // The flash leaves the muzzle wherever the kick has moved it.
        double flash = progress(t, kShotTime, kShotTime + 0.03) -
                       progress(t, kShotTime + 0.06, kShotTime + 0.16);
        drawMuzzleFlash(cr, muzzle, 90 * s, true, flash);
        cairo_restore(cr);
        if (flash > 0) {
            glow(cr, muzzle, w * 0.6, palette::amberBright.withAlpha(0.25 * flash));
        }

        // Smoke drifting up from the muzzle after the shot.
        if (t > kShotTime) {
            double age = t - kShotTime;
            drawSmokePuff(cr, {muzzle.x - 20 * s - age * 25 * s, muzzle.y - age * 30 * s},
                          (18 + age * 30) * s, std::max(0.0, 1 - age / 1.8));
        }

        // The name draws itself together, then the amber bar and the tagline follow.
        double title = easeOut(progress(t, 1.45, 2.2));
        if (title > 0) {
            TextStyle style{44 * s, Weight::Bold, palette::textBright.withAlpha(title),
                            mix(22, 7, title) * s};
            double baseline = h * 0.78;
            TextStyle shadowStyle = style;
            shadowStyle.color = rgb(0x000000, 0.6 * title);
            drawText(cr, "KALVORN", {w / 2 + 2 * s, baseline + 3 * s}, shadowStyle, Align::Center);
            drawText(cr, "KALVORN", {w / 2, baseline}, style, Align::Center);
            double bar = easeOut(progress(t, 1.9, 2.5));
            double barWidth = 150 * s * bar;
            if (bar > 0) {
                drawAccentBar(cr, {w / 2 - barWidth / 2, baseline + 10 * s, barWidth, 3 * s},
                              AccentFade::BothWays);
            }
            double tagline = progress(t, 2.3, 2.8);
            drawText(cr, "ASSEMBLE \u00b7 FIRE \u00b7 COMPETE", {w / 2, baseline + 30 * s},
                     {10 * s, Weight::Bold, palette::amber.withAlpha(tagline), 3 * s},
                     Align::Center);
        }

        paintFadeFromAndToBlack(cr, t, seconds, 0.45, 0.6);
    };
}

}  // namespace

std::vector<MovieSpec> introMovies() {
    return {
        {"intro.mp4", 480, 320, 4.0, introScene},
        {"GUN_INTRO1.mov", 1024, 768, 4.0, introScene},
    };
}

}  // namespace art
