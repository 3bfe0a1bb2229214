// Text drawing with the DejaVu Sans faces opened through FreeType.
#include "draw/Text.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>
#include <string>
#include <vector>

namespace art {
namespace {

cairo_font_face_t* openFace(const char* fileName) {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0) {
            throw std::runtime_error("cannot start FreeType");
        }
        return made;
    }();
    std::string path = std::string(KALVORN_FONT_DIR) + "/" + fileName;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        throw std::runtime_error("cannot open the font " + path);
    }
    // The faces live as long as the generator runs, so neither is ever released.
    return cairo_ft_font_face_create_for_ft_face(face, 0);
}

cairo_font_face_t* face(Weight weight) {
    static cairo_font_face_t* regular = openFace("DejaVuSans.ttf");
    static cairo_font_face_t* bold = openFace("DejaVuSans-Bold.ttf");
    return weight == Weight::Bold ? bold : regular;
}

void applyFont(cairo_t* cr, const TextStyle& style) {
    cairo_set_font_face(cr, face(style.weight));
    cairo_set_font_size(cr, style.size);
}

// The text cut into its UTF-8 characters, so letter spacing never splits a character.
std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> result;
    size_t i = 0;
    while (i < text.size()) {
        size_t length = 1;
        while (i + length < text.size() &&
               (static_cast<unsigned char>(text[i + length]) & 0xc0) == 0x80) {
            ++length;
        }
        result.push_back(text.substr(i, length));
        i += length;
    }
    return result;
}

double advance(cairo_t* cr, std::string_view piece) {
    std::string owned(piece);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, owned.c_str(), &extents);
    return extents.x_advance;
}

}  // namespace

double textWidth(cairo_t* cr, std::string_view text, const TextStyle& style) {
    cairo_save(cr);
    applyFont(cr, style);
    double width = 0;
    if (style.tracking == 0) {
        width = advance(cr, text);
    } else {
        std::vector<std::string_view> pieces = characters(text);
        for (std::string_view piece : pieces) {
            width += advance(cr, piece) + style.tracking;
        }
        if (!pieces.empty()) {
            width -= style.tracking;  // no spacing after the last character
        }
    }
    cairo_restore(cr);
    return width;
}

void drawText(cairo_t* cr, std::string_view text, Point baseline, const TextStyle& style,
              Align align) {
    double width = textWidth(cr, text, style);
    double x = baseline.x;
    if (align == Align::Center) {
        x -= width / 2;
    } else if (align == Align::Right) {
        x -= width;
    }
    cairo_save(cr);
    applyFont(cr, style);
    cairo_set_source_rgba(cr, style.color.r, style.color.g, style.color.b, style.color.a);
    for (std::string_view piece :
         style.tracking == 0 ? std::vector<std::string_view>{text} : characters(text)) {
        std::string owned(piece);
        cairo_move_to(cr, x, baseline.y);
        cairo_show_text(cr, owned.c_str());
        x += advance(cr, piece) + style.tracking;
    }
    cairo_restore(cr);
}

void drawTextCentered(cairo_t* cr, std::string_view text, const Rect& box, const TextStyle& style) {
    cairo_save(cr);
    applyFont(cr, style);
    cairo_text_extents_t capital;
    cairo_text_extents(cr, "H", &capital);
    cairo_restore(cr);
    double baseline = box.centerY() - capital.y_bearing / 2;
    drawText(cr, text, {box.centerX(), baseline}, style, Align::Center);
}

double fittingSize(cairo_t* cr, std::string_view text, const TextStyle& style, double maxWidth) {
    double width = textWidth(cr, text, style);
    if (width <= maxWidth || width <= 0) {
        return style.size;
    }
    return style.size * maxWidth / width;
}

}  // namespace art
