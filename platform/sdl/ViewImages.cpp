// Drawing a view alone into a surface.
#include "platform/sdl/ViewImages.h"

#include <cmath>
#include <memory>

#include "platform/Platform.h"
#include "platform/View.h"
#include "platform/sdl/ViewRenderer.h"

namespace {

// One software renderer reused for every picture of the same size, so that its pictures and
// texts stay loaded from one picture to the next.
class ViewPainter {
public:
    ~ViewPainter() { release(); }

    std::shared_ptr<const ViewImage> paint(const View& view) {
        const Size size = view.bounds().size();
        const int width = static_cast<int>(std::lround(size.width));
        const int height = static_cast<int>(std::lround(size.height));
        if (width <= 0 || height <= 0 || !prepare(width, height)) {
            return nullptr;
        }
        viewRenderer_->drawViewAlone(view);
        SDL_RenderPresent(renderer_);
        SDL_Surface* copy = SDL_DuplicateSurface(surface_);
        return copy ? std::make_shared<SurfaceViewImage>(copy, size) : nullptr;
    }

private:
    bool prepare(int width, int height) {
        if (surface_ && surface_->w == width && surface_->h == height) {
            return true;
        }
        release();
        surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
        renderer_ = surface_ ? SDL_CreateSoftwareRenderer(surface_) : nullptr;
        if (!renderer_) {
            release();
            return false;
        }
        viewRenderer_ = std::make_unique<ViewRenderer>(renderer_);
        return true;
    }

    void release() {
        viewRenderer_.reset();
        if (renderer_) {
            SDL_DestroyRenderer(renderer_);
            renderer_ = nullptr;
        }
        if (surface_) {
            SDL_FreeSurface(surface_);
            surface_ = nullptr;
        }
    }

    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<ViewRenderer> viewRenderer_;
};

uint64_t nextSerial() {
    static uint64_t serial = 0;
    return ++serial;
}

}  // namespace

SurfaceViewImage::SurfaceViewImage(SDL_Surface* surface, Size size)
    : surface_(surface), size_(size), serial_(nextSerial()) {}

SurfaceViewImage::~SurfaceViewImage() {
    SDL_FreeSurface(surface_);
}

void installViewImages(Platform& platform) {
    auto painter = std::make_shared<ViewPainter>();
    platform.setViewImageMaker([painter](const View& view) { return painter->paint(view); });
}
