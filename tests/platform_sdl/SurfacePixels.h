// Reading pixels of the offscreen renderer's surfaces in tests.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <ostream>

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Rgb& c) {
        return out << "rgb(" << c.red << "," << c.green << "," << c.blue << ")";
    }
};

inline Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    Uint8 red = 0;
    Uint8 green = 0;
    Uint8 blue = 0;
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 value = 0;
    SDL_memcpy(&value, row + x * surface->format->BytesPerPixel, sizeof value);
    SDL_GetRGB(value, surface->format, &red, &green, &blue);
    return {red, green, blue};
}

inline bool isBlack(Rgb c) {
    return c.red < 8 && c.green < 8 && c.blue < 8;
}

// Pixels that differ from the first one, to tell a blank picture from a drawn one.
inline int pixelsUnlike(SDL_Surface* surface, Rgb background) {
    int count = 0;
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            count += pixelAt(surface, x, y) == background ? 0 : 1;
        }
    }
    return count;
}
