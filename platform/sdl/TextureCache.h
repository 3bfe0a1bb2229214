// The textures one SDL renderer draws with: pictures by file path, view pictures of running
// transitions (dropped once a frame is drawn without them), and texts rendered with
// SDL2_ttf by text, font and pixel size. Text textures are white; the canvas tints them. Fonts
// are the TrueType files in the resources' fonts/ folder; a font name with no file of its own
// falls back to DejaVu Sans (bold when the name says so).
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

class SurfaceViewImage;

struct TextTexture {
    SDL_Texture* texture = nullptr;  // null for empty text or a missing font
    int width = 0;                   // pixels
    int height = 0;
};

class TextureCache {
public:
    explicit TextureCache(SDL_Renderer* renderer);
    ~TextureCache();
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

    // The named picture of the bundle, or null when it is missing or unreadable.
    SDL_Texture* picture(std::string_view name);
    // The texture of a view picture; null when it cannot be made.
    SDL_Texture* viewImage(const SurfaceViewImage& image);
    // `text` at `pixelSize`; with `wrapWidth` > 0 it wraps at that many pixels, lines centred
    // when `centred`.
    const TextTexture& text(const std::string& text, const std::string& fontName, int pixelSize,
                            int wrapWidth = 0, bool centred = false);
    // The line height of the font at `pixelSize`, in pixels (0 without the font).
    int lineHeight(const std::string& fontName, int pixelSize);

    // Drops the view pictures not drawn since the previous call, and the text textures not used
    // since then once there are many of them, so that changing texts (counters, timers) do not
    // pile up.
    void endFrame();

private:
    struct CachedText {
        TextTexture texture;
        uint64_t lastUsed = 0;
    };
    using TextKey = std::tuple<std::string, std::string, int, int, bool>;

    TTF_Font* font(const std::string& name, int pixelSize);
    std::string fontPath(const std::string& name) const;

    SDL_Renderer* renderer_;
    std::map<std::string, SDL_Texture*> pictures_;  // by path; null when unreadable
    // Names already looked up in the bundle (by resources directory and name), so that drawing
    // a frame asks the file system nothing; the textures belong to pictures_.
    std::map<std::pair<std::string, std::string>, SDL_Texture*> pictureNames_;
    std::map<std::pair<std::string, int>, TTF_Font*> fonts_;
    std::map<TextKey, CachedText> texts_;
    struct CachedViewImage {
        SDL_Texture* texture = nullptr;
        uint64_t lastUsed = 0;
    };
    std::map<uint64_t, CachedViewImage> viewImages_;  // by the picture's serial
    uint64_t frame_ = 0;
};
