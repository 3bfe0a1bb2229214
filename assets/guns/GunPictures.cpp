// Picture contents from a play-through of each gun's join rules, and the drawing of parts.
#include "guns/GunPictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "draw/Palette.h"
#include "draw/Shapes.h"
#include "game/GunAssembly.h"

namespace guns {
namespace {

constexpr double kMargin = 3;

struct Shading {
    art::Color top;
    art::Color bottom;
    art::Color edge;
};

Shading shadingOf(Material material) {
    switch (material) {
        case Material::Steel:
            return {art::palette::steelLight, art::palette::steelMid, art::palette::steelDark};
        case Material::DarkSteel:
            return {art::palette::steelMid, art::palette::steelDark, art::rgb(0x1b1f24)};
        case Material::Polymer:
            return {art::rgb(0x4a525c), art::rgb(0x2a3037), art::rgb(0x0c0e10)};
        case Material::Wood:
            return {art::rgb(0x8d6440), art::palette::wood, art::rgb(0x3a2818)};
    }
    return {};
}

}  // namespace

std::map<std::string, std::set<int>> gunPictureContents(int idGun) {
    const GunAssembly* gun = findGunAssembly(idGun);
    if (!gun) {
        throw std::runtime_error("no gun " + std::to_string(idGun));
    }
    std::map<std::string, std::set<int>> contents;
    std::array<std::set<int>, kSlotCount + 1> held;
    for (int slot = 1; slot <= gun->partCount; ++slot) {
        held[static_cast<size_t>(slot)] = {slot};
        contents[partPictureName(idGun, slot, false)] = {slot};
    }

    // Play the gun through: every join that sets a flag not yet set, in table order.
    std::set<int> flags;
    for (const JoinRule& rule : gun->rules) {
        if (flags.contains(rule.sets)) {
            continue;
        }
        std::set<int>& target = held[static_cast<size_t>(rule.onto)];
        for (int slot : {rule.dragged.slot, rule.dragged.orSlot}) {
            if (slot != 0) {
                target.insert(held[static_cast<size_t>(slot)].begin(),
                              held[static_cast<size_t>(slot)].end());
            }
        }
        // The final join's picture is the finished gun, whichever join shows it first: the
        // range and the gun selection show that picture as the whole gun.
        if (rule.isFinal) {
            contents[rule.picture] = target;
        } else if (rule.picture) {
            contents.try_emplace(rule.picture, target);
        }
        flags.insert(rule.sets);
    }
    for (const JoinRule& rule : gun->rules) {
        if (rule.picture && !contents.contains(rule.picture)) {
            throw std::runtime_error(std::string("no content for ") + rule.picture);
        }
    }
    return contents;
}

art::Rect pictureBounds(const std::vector<PartShape>& shapes, const std::set<int>& parts) {
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (int part : parts) {
        for (const art::Point& p : shapes.at(static_cast<size_t>(part - 1)).outline) {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    }
    minX = std::floor(minX - kMargin);
    minY = std::floor(minY - kMargin);
    return {minX, minY, std::ceil(maxX + kMargin) - minX, std::ceil(maxY + kMargin) - minY};
}

art::Point muzzleInPicture(const std::vector<PartShape>& shapes, const std::set<int>& parts,
                           double axis) {
    const art::Rect bounds = pictureBounds(shapes, parts);
    double front = 1e9;
    for (int part : parts) {
        for (const art::Point& p : shapes.at(static_cast<size_t>(part - 1)).outline) {
            front = std::min(front, p.x);
        }
    }
    return {front - bounds.x, axis - bounds.y};
}

void drawGunPicture(cairo_t* cr, const std::vector<PartShape>& shapes, const std::set<int>& parts,
                    double scale) {
    const art::Rect bounds = pictureBounds(shapes, parts);
    std::vector<const PartShape*> ordered;
    for (int part : parts) {
        ordered.push_back(&shapes.at(static_cast<size_t>(part - 1)));
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const PartShape* a, const PartShape* b) { return a->layer < b->layer; });

    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -bounds.x, -bounds.y);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const PartShape* shape : ordered) {
        double top = 1e9, bottom = -1e9;
        cairo_new_path(cr);
        for (const art::Point& p : shape->outline) {
            cairo_line_to(cr, p.x, p.y);
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        cairo_close_path(cr);
        if (!shape->hole.empty()) {
            cairo_new_sub_path(cr);
            for (const art::Point& p : shape->hole) {
                cairo_line_to(cr, p.x, p.y);
            }
            cairo_close_path(cr);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        const Shading shading = shadingOf(shape->material);
        cairo_path_t* path = cairo_copy_path(cr);
        art::fillVertical(cr, {bounds.x, top, bounds.width, bottom - top}, shading.top,
                          shading.bottom);
        cairo_append_path(cr, path);
        cairo_path_destroy(path);
        art::setColor(cr, shading.edge);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void drawFinishedGun(cairo_t* cr, int idGun, const art::Rect& box) {
    const GunAssembly& gun = *findGunAssembly(idGun);
    const std::vector<PartShape> shapes = gunParts(idGun);
    const std::set<int> parts = gunPictureContents(idGun).at(gun.finalRule().picture);
    const art::Rect bounds = pictureBounds(shapes, parts);
    const double fit = std::min(box.width / bounds.width, box.height / bounds.height);
    cairo_save(cr);
    cairo_translate(cr, box.x + (box.width - bounds.width * fit) / 2,
                    box.y + (box.height - bounds.height * fit) / 2);
    drawGunPicture(cr, shapes, parts, fit);
    cairo_restore(cr);
}

}  // namespace guns
