// Buttons and icons.
#include "draw/Widgets.h"

#include <algorithm>
#include <cmath>

#include "draw/Guns.h"
#include "draw/Shapes.h"
#include "draw/Text.h"

namespace art {
namespace {

void drawGear(cairo_t* cr, Point c, double radius, int teeth) {
    double inner = radius * 0.74;
    double toothHalf = M_PI / teeth * 0.5;
    for (int i = 0; i < teeth; ++i) {
        double a = 2 * M_PI * i / teeth;
        cairo_line_to(cr, c.x + inner * std::cos(a - toothHalf * 1.4),
                      c.y + inner * std::sin(a - toothHalf * 1.4));
        cairo_line_to(cr, c.x + radius * std::cos(a - toothHalf),
                      c.y + radius * std::sin(a - toothHalf));
        cairo_line_to(cr, c.x + radius * std::cos(a + toothHalf),
                      c.y + radius * std::sin(a + toothHalf));
        cairo_line_to(cr, c.x + inner * std::cos(a + toothHalf * 1.4),
                      c.y + inner * std::sin(a + toothHalf * 1.4));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, c.x, c.y, radius * 0.32, 2 * M_PI, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
}

void fillButtonBody(cairo_t* cr, const Rect& body, double radius, bool highlighted) {
    roundedRect(cr, body, radius);
    if (highlighted) {
        fillVertical(cr, body, palette::amberBright, palette::amberDeep);
    } else {
        fillVertical(cr, body, rgb(0x333c47), rgb(0x1a2027));
    }
}

}  // namespace

void drawIcon(cairo_t* cr, Icon icon, const Rect& box, const Color& color) {
    double side = std::min(box.width, box.height);
    Point c = box.center();
    double r = side / 2;
    cairo_save(cr);
    setColor(cr, color);
    cairo_set_line_width(cr, std::max(1.0, side * 0.09));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (icon) {
        case Icon::None:
            break;
        case Icon::Crosshair:
            cairo_arc(cr, c.x, c.y, r * 0.62, 0, 2 * M_PI);
            cairo_stroke(cr);
            for (int i = 0; i < 4; ++i) {
                double a = M_PI / 2 * i;
                cairo_move_to(cr, c.x + r * 0.3 * std::cos(a), c.y + r * 0.3 * std::sin(a));
                cairo_line_to(cr, c.x + r * 0.95 * std::cos(a), c.y + r * 0.95 * std::sin(a));
            }
            cairo_stroke(cr);
            cairo_arc(cr, c.x, c.y, r * 0.1, 0, 2 * M_PI);
            cairo_fill(cr);
            break;
        case Icon::Pistol:
        case Icon::Rifle: {
            // A flat silhouette in the icon colour.
            GunModel model = icon == Icon::Pistol ? GunModel::Pistol : GunModel::Rifle;
            const GunDrawing& gun = gunDrawing(model);
            double scale = std::min(box.width * 0.95 / gun.width, box.height * 0.9 / gun.height);
            cairo_translate(cr, c.x - gun.width * scale / 2, c.y - gun.height * scale / 2);
            cairo_scale(cr, scale, scale);
            for (const GunPart& part : gun.parts) {
                cairo_move_to(cr, part.outline[0].x, part.outline[0].y);
                for (const Point& p : part.outline) {
                    cairo_line_to(cr, p.x, p.y);
                }
                cairo_close_path(cr);
            }
            cairo_fill(cr);
            break;
        }
        case Icon::Book:
            cairo_move_to(cr, c.x, c.y - r * 0.55);
            cairo_curve_to(cr, c.x - r * 0.3, c.y - r * 0.75, c.x - r * 0.7, c.y - r * 0.75,
                           c.x - r * 0.9, c.y - r * 0.6);
            cairo_line_to(cr, c.x - r * 0.9, c.y + r * 0.65);
            cairo_curve_to(cr, c.x - r * 0.7, c.y + r * 0.5, c.x - r * 0.3, c.y + r * 0.5, c.x,
                           c.y + r * 0.7);
            cairo_curve_to(cr, c.x + r * 0.3, c.y + r * 0.5, c.x + r * 0.7, c.y + r * 0.5,
                           c.x + r * 0.9, c.y + r * 0.65);
            cairo_line_to(cr, c.x + r * 0.9, c.y - r * 0.6);
            cairo_curve_to(cr, c.x + r * 0.7, c.y - r * 0.75, c.x + r * 0.3, c.y - r * 0.75, c.x,
                           c.y - r * 0.55);
            cairo_close_path(cr);
            cairo_move_to(cr, c.x, c.y - r * 0.55);
            cairo_line_to(cr, c.x, c.y + r * 0.7);
            cairo_stroke(cr);
            break;
        case Icon::Play:
            cairo_arc(cr, c.x, c.y, r * 0.85, 0, 2 * M_PI);
            cairo_stroke(cr);
            cairo_move_to(cr, c.x - r * 0.28, c.y - r * 0.42);
            cairo_line_to(cr, c.x + r * 0.45, c.y);
            cairo_line_to(cr, c.x - r * 0.28, c.y + r * 0.42);
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
        case Icon::Info:
            cairo_arc(cr, c.x, c.y, r * 0.85, 0, 2 * M_PI);
            cairo_stroke(cr);
            cairo_arc(cr, c.x, c.y - r * 0.4, r * 0.1, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_move_to(cr, c.x, c.y - r * 0.12);
            cairo_line_to(cr, c.x, c.y + r * 0.45);
            cairo_stroke(cr);
            break;
        case Icon::Gear:
            drawGear(cr, c, r * 0.9, 8);
            break;
        case Icon::BackArrow:
            cairo_move_to(cr, c.x + r * 0.15, c.y - r * 0.55);
            cairo_line_to(cr, c.x - r * 0.45, c.y);
            cairo_line_to(cr, c.x + r * 0.15, c.y + r * 0.55);
            cairo_set_line_width(cr, std::max(1.5, side * 0.13));
            cairo_stroke(cr);
            break;
        case Icon::Check:
            cairo_move_to(cr, c.x - r * 0.55, c.y + r * 0.02);
            cairo_line_to(cr, c.x - r * 0.15, c.y + r * 0.42);
            cairo_line_to(cr, c.x + r * 0.6, c.y - r * 0.45);
            cairo_set_line_width(cr, std::max(1.5, side * 0.13));
            cairo_stroke(cr);
            break;
        case Icon::Close:
            cairo_move_to(cr, c.x - r * 0.4, c.y - r * 0.4);
            cairo_line_to(cr, c.x + r * 0.4, c.y + r * 0.4);
            cairo_move_to(cr, c.x + r * 0.4, c.y - r * 0.4);
            cairo_line_to(cr, c.x - r * 0.4, c.y + r * 0.4);
            cairo_set_line_width(cr, std::max(1.5, side * 0.12));
            cairo_stroke(cr);
            break;
    }
    cairo_restore(cr);
}

void drawButton(cairo_t* cr, const Rect& rect, const ButtonLook& look) {
    const double s = look.scale;
    const double radius = 7 * s;
    Rect body = rect.inset(1 * s);

    // A dark rim all round separates the button from any background.
    roundedRect(cr, rect.inset(0.5), radius + 0.5 * s);
    setColor(cr, rgb(0x000000, 0.55));
    cairo_fill(cr);

    fillButtonBody(cr, body, radius, look.highlighted);
    roundedRect(cr, body.inset(0.5), radius);
    cairo_set_line_width(cr, 1);
    setColor(cr, look.highlighted ? palette::amberBright : palette::panelBorder);
    cairo_stroke(cr);

    // Sheen on the upper half.
    cairo_save(cr);
    roundedRect(cr, body, radius);
    cairo_clip(cr);
    cairo_rectangle(cr, body.x, body.y, body.width, body.height * 0.48);
    fillVertical(cr, {body.x, body.y, body.width, body.height * 0.48}, rgb(0xffffff, 0.10),
                 rgb(0xffffff, 0.02));

    Color labelColor = look.highlighted ? palette::textOnAmber : palette::textBright;
    Color captionColor = look.highlighted ? rgb(0x3d260c) : palette::textMuted;
    Color iconColor = look.highlighted ? palette::textOnAmber : palette::amber;

    double textLeft = body.x + 12 * s;
    bool centred = look.icon == Icon::None;
    if (!centred) {
        // Accent stripe, then the icon in its own square.
        cairo_rectangle(cr, body.x, body.y, 3 * s, body.height);
        setColor(cr, look.highlighted ? palette::flashCore : palette::amber);
        cairo_fill(cr);
        double iconSide = body.height * 0.58;
        // On the two-line buttons of a menu column the box is wide enough for a long gun, and
        // the same for every icon so that the labels line up.
        double iconWidth = look.caption.empty() ? iconSide : iconSide * 1.6;
        Rect iconBox{body.x + 8 * s, body.centerY() - iconSide / 2, iconWidth, iconSide};
        drawIcon(cr, look.icon, iconBox, iconColor);
        textLeft = iconBox.right() + 10 * s;
        cairo_move_to(cr, textLeft - 5 * s, body.y + body.height * 0.2);
        cairo_line_to(cr, textLeft - 5 * s, body.bottom() - body.height * 0.2);
        cairo_set_line_width(cr, 1);
        setColor(cr, look.highlighted ? rgb(0x000000, 0.25) : rgb(0xffffff, 0.08));
        cairo_stroke(cr);
    }
    cairo_restore(cr);

    double room = body.right() - 10 * s - textLeft;
    TextStyle labelStyle{14 * s, Weight::Bold, labelColor, 1.2 * s};
    labelStyle.size = fittingSize(cr, look.label, labelStyle, room);
    TextStyle captionStyle{9 * s, Weight::Regular, captionColor, 0.3 * s};
    captionStyle.size = fittingSize(cr, look.caption, captionStyle, room);

    if (look.caption.empty()) {
        if (centred) {
            drawTextCentered(cr, look.label, body, labelStyle);
        } else {
            drawTextCentered(cr, look.label, {textLeft, body.y, room, body.height}, labelStyle);
        }
        return;
    }
    // Label above caption, the pair centred vertically on the button.
    double labelCap = labelStyle.size * 0.73;
    double captionCap = captionStyle.size * 0.73;
    double gap = 5 * s;
    double top = body.centerY() - (labelCap + gap + captionCap) / 2;
    Align align = centred ? Align::Center : Align::Left;
    double x = centred ? body.centerX() : textLeft;
    drawText(cr, look.label, {x, top + labelCap}, labelStyle, align);
    drawText(cr, look.caption, {x, top + labelCap + gap + captionCap}, captionStyle, align);
}

void drawRoundButton(cairo_t* cr, const Rect& rect, Icon icon, bool highlighted) {
    Point c = rect.center();
    double r = std::min(rect.width, rect.height) / 2;
    cairo_arc(cr, c.x, c.y, r - 0.5, 0, 2 * M_PI);
    setColor(cr, rgb(0x000000, 0.55));
    cairo_fill(cr);
    cairo_arc(cr, c.x, c.y, r - 1.5, 0, 2 * M_PI);
    Rect span{rect.x, c.y - r, rect.width, 2 * r};
    if (highlighted) {
        fillVertical(cr, span, palette::amberBright, palette::amberDeep);
    } else {
        fillVertical(cr, span, rgb(0x39424e), rgb(0x1a2027));
    }
    cairo_arc(cr, c.x, c.y, r - 2, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1);
    setColor(cr, highlighted ? palette::amberBright : palette::panelBorder);
    cairo_stroke(cr);
    double iconSide = r * 1.15;
    drawIcon(cr, icon, {c.x - iconSide / 2, c.y - iconSide / 2, iconSide, iconSide},
             highlighted ? palette::textOnAmber : palette::amber);
}

}  // namespace art
