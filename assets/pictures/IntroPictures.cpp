// Pictures of the intro screen and the dimmed range backdrop of the list screens (ranking,
// firearms gallery).
#include <cmath>

#include "draw/Backdrop.h"
#include "draw/Shapes.h"
#include "draw/Text.h"
#include "pictures/PictureCatalog.h"

namespace art {

std::vector<PictureSpec> introPictures() {
    std::vector<PictureSpec> pictures;
    // Behind the intro movie and its activity indicator: nearly black, with the name faint
    // under the indicator's place in the middle.
    pictures.push_back(
        {"intro_background.png", 480, 320, 1024, 768, 2, [](cairo_t* cr, const PictureContext& c) {
             drawDarkBackdrop(cr, c.width, c.height);
             TextStyle style{13 * c.scale, Weight::Bold, rgb(0x55606d, 0.8), 6 * c.scale};
             drawText(cr, "KALVORN", {c.width / 2, c.height * 0.5 + 48 * c.scale}, style,
                      Align::Center);
         }});
    // The range, dimmed so that anything placed on it reads well.
    pictures.push_back(
        {"screen_background.png", 480, 320, 1024, 768, 2, [](cairo_t* cr, const PictureContext& c) {
             drawRangeBackdrop(cr, c.width, c.height, {0.46, 6, 0.35});
         }});
    return pictures;
}

}  // namespace art
