// Picture and text textures of one renderer.
#include "platform/sdl/TextureCache.h"

#include <SDL_image.h>

#include <filesystem>

#include "platform/Bundle.h"
#include "platform/Pictures.h"
#include "platform/sdl/ViewImages.h"

namespace {
// Text textures kept beyond those drawn in the last frame.
constexpr size_t kTextCacheLimit = 256;

SDL_Texture* linearTexture(SDL_Texture* texture) {
    if (texture) {
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    }
    return texture;
}
}  // namespace

TextureCache::TextureCache(SDL_Renderer* renderer) : renderer_(renderer) {
    if (!TTF_WasInit()) {
        TTF_Init();
    }
}

TextureCache::~TextureCache() {
    for (auto& [path, texture] : pictures_) {
        if (texture) {
            SDL_DestroyTexture(texture);
        }
    }
    for (auto& [key, cached] : texts_) {
        if (cached.texture.texture) {
            SDL_DestroyTexture(cached.texture.texture);
        }
    }
    for (auto& [serial, cached] : viewImages_) {
        if (cached.texture) {
            SDL_DestroyTexture(cached.texture);
        }
    }
    for (auto& [key, font] : fonts_) {
        if (font) {
            TTF_CloseFont(font);
        }
    }
}

SDL_Texture* TextureCache::picture(std::string_view name) {
    if (name.empty()) {
        return nullptr;
    }
    auto [named, isNew] = pictureNames_.try_emplace(
        {Bundle::main().resourcesDirectory(), std::string(name)}, nullptr);
    if (!isNew) {
        return named->second;
    }
    if (const std::optional<std::string> path = Pictures::path(name)) {
        auto [loaded, inserted] = pictures_.try_emplace(*path, nullptr);
        if (inserted) {
            loaded->second = linearTexture(IMG_LoadTexture(renderer_, path->c_str()));
        }
        named->second = loaded->second;
    }
    return named->second;
}

SDL_Texture* TextureCache::viewImage(const SurfaceViewImage& image) {
    auto [it, inserted] = viewImages_.try_emplace(image.serial());
    it->second.lastUsed = frame_;
    if (inserted) {
        it->second.texture =
            linearTexture(SDL_CreateTextureFromSurface(renderer_, image.surface()));
    }
    return it->second.texture;
}

std::string TextureCache::fontPath(const std::string& name) const {
    const std::filesystem::path folder =
        std::filesystem::path(Bundle::main().resourcesDirectory()) / "fonts";
    const std::filesystem::path own = folder / (name + ".ttf");
    if (!name.empty() && std::filesystem::exists(own)) {
        return own.string();
    }
    const bool bold = name.find("Bold") != std::string::npos;
    return (folder / (bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf")).string();
}

TTF_Font* TextureCache::font(const std::string& name, int pixelSize) {
    auto [it, inserted] = fonts_.try_emplace({name, pixelSize}, nullptr);
    if (inserted) {
        it->second = TTF_OpenFont(fontPath(name).c_str(), pixelSize);
    }
    return it->second;
}

int TextureCache::lineHeight(const std::string& fontName, int pixelSize) {
    TTF_Font* ttf = pixelSize > 0 ? font(fontName, pixelSize) : nullptr;
    return ttf ? TTF_FontLineSkip(ttf) : 0;
}

const TextTexture& TextureCache::text(const std::string& text, const std::string& fontName,
                                      int pixelSize, int wrapWidth, bool centred) {
    auto [it, inserted] = texts_.try_emplace({text, fontName, pixelSize, wrapWidth, centred});
    it->second.lastUsed = frame_;
    if (!inserted) {
        return it->second.texture;
    }
    TTF_Font* ttf = text.empty() || pixelSize <= 0 ? nullptr : font(fontName, pixelSize);
    if (!ttf) {
        return it->second.texture;
    }
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* surface = nullptr;
    if (wrapWidth > 0) {
        TTF_SetFontWrappedAlign(ttf, centred ? TTF_WRAPPED_ALIGN_CENTER : TTF_WRAPPED_ALIGN_LEFT);
        surface = TTF_RenderUTF8_Blended_Wrapped(ttf, text.c_str(), white,
                                                 static_cast<Uint32>(wrapWidth));
    } else {
        surface = TTF_RenderUTF8_Blended(ttf, text.c_str(), white);
    }
    if (surface) {
        TextTexture& result = it->second.texture;
        result.texture = linearTexture(SDL_CreateTextureFromSurface(renderer_, surface));
        result.width = surface->w;
        result.height = surface->h;
        SDL_FreeSurface(surface);
    }
    return it->second.texture;
}

void TextureCache::endFrame() {
    std::erase_if(viewImages_, [this](auto& entry) {
        if (entry.second.lastUsed == frame_) {
            return false;
        }
        if (entry.second.texture) {
            SDL_DestroyTexture(entry.second.texture);
        }
        return true;
    });
    if (texts_.size() > kTextCacheLimit) {
        std::erase_if(texts_, [this](auto& entry) {
            if (entry.second.lastUsed == frame_) {
                return false;
            }
            if (entry.second.texture.texture) {
                SDL_DestroyTexture(entry.second.texture.texture);
            }
            return true;
        });
    }
    ++frame_;
}
