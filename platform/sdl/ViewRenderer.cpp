// The tree walk of the renderer, the overlays and the movie picture.
#include "platform/sdl/ViewRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "platform/ActivityIndicatorView.h"
#include "platform/Button.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/PageControl.h"
#include "platform/PickerView.h"
#include "platform/Platform.h"
#include "platform/Switch.h"
#include "platform/TableView.h"
#include "platform/TextField.h"
#include "platform/Window.h"
#include "platform/sdl/SdlServices.h"
#include "platform/sdl/ViewImages.h"
#include "platform/sdl/Widgets.h"

namespace {
// A turning face is drawn in this many vertical strips, each its own quad, so that the
// perspective looks right on renderers that map textures affinely.
constexpr int kTransitionStrips = 24;
// The eye's distance from the screen, in view widths: the nearer, the stronger the perspective.
constexpr double kTransitionEyeDistance = 2.0;
}  // namespace

ScreenOverlays currentOverlays(const TextField* focusedField) {
    Platform& platform = Platform::current();
    ScreenOverlays overlays{focusedField, platform.visibleAlert(), nullptr};
    if (auto* services = dynamic_cast<SdlServices*>(&platform.services())) {
        overlays.movie = services->fullScreenMovieFrame();
    }
    return overlays;
}

ViewRenderer::ViewRenderer(SDL_Renderer* renderer)
    : renderer_(renderer), canvas_(renderer), textures_(renderer) {}

ViewRenderer::~ViewRenderer() {
    if (movieTexture_) {
        SDL_DestroyTexture(movieTexture_);
    }
}

Letterbox ViewRenderer::letterbox(Size screen) const {
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    return Letterbox::fit(screen, {double(width), double(height)});
}

AlertLayout ViewRenderer::alertLayout(Size screen, const AlertView& alert) {
    DrawContext context{canvas_, textures_, letterbox(screen).scale, 0};
    return measureAlert(context, screen, alert);
}

void ViewRenderer::drawScreen(Window& window, const ScreenOverlays& overlays) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    restoreClip(std::nullopt);
    SDL_RenderClear(renderer_);
    const Size screen = window.size();
    const Letterbox box = letterbox(screen);
    DrawContext context{canvas_, textures_, box.scale, RunLoop::main().now()};
    if (overlays.movie) {
        drawMovie(*overlays.movie, screen, box);
    } else {
        drawView(context, window.rootView(), box.transform(), 1, overlays.focusedField);
    }
    if (overlays.alert) {
        drawAlert(context, box.transform(), screen, *overlays.alert);
    }
    textures_.endFrame();
}

void ViewRenderer::drawViewAlone(const View& view) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0);
    restoreClip(std::nullopt);
    SDL_RenderClear(renderer_);
    DrawContext context{canvas_, textures_, 1, RunLoop::main().now()};
    drawLocal(context, view, AffineTransform(), 1, nullptr);
    textures_.endFrame();
}

void ViewRenderer::drawView(DrawContext& context, const View& view,
                            const AffineTransform& parentToOutput, double parentAlpha,
                            const TextField* focusedField) {
    if (view.isHidden()) {
        return;
    }
    const double alpha = parentAlpha * view.presentedAlpha();
    if (alpha <= 0) {
        return;
    }
    // Local points are measured from the bounds' top-left; the anchor point sits at the
    // center in the superview and the transform turns and scales about it.
    const Size size = view.presentedBoundsSize();
    const Point center = view.presentedCenter();
    const Point anchor = view.anchorPoint();
    const AffineTransform toOutput =
        AffineTransform::translation(-anchor.x * size.width, -anchor.y * size.height)
            .concat(view.presentedTransform())
            .concat(AffineTransform::translation(center.x, center.y))
            .concat(parentToOutput);
    if (const std::optional<View::PresentedTransition> turning = view.presentedTransition();
        turning && drawTransition(*turning, size, toOutput, alpha)) {
        return;
    }
    drawLocal(context, view, toOutput, alpha, focusedField);
}

void ViewRenderer::drawLocal(DrawContext& context, const View& view,
                             const AffineTransform& toOutput, double alpha,
                             const TextField* focusedField) {
    const Size size = view.presentedBoundsSize();
    canvas_.fillRect(toOutput, {0, 0, size.width, size.height}, view.backgroundColor(), alpha);
    drawContent(context, view, toOutput, alpha, focusedField);
    if (view.subviews().empty()) {
        return;
    }
    // Subviews sit in the bounds' coordinates, which a scroll view shifts by its offset.
    const Point origin = view.bounds().origin();
    const AffineTransform subviewsToOutput =
        AffineTransform::translation(-origin.x, -origin.y).concat(toOutput);
    const bool clips = view.clipsToBounds();
    const std::optional<SDL_Rect> outerClip = clips ? narrowClip(toOutput, size) : clip_;
    for (const View* subview : view.subviews()) {
        drawView(context, *subview, subviewsToOutput, alpha, focusedField);
    }
    if (clips) {
        restoreClip(outerClip);
    }
}

bool ViewRenderer::drawTransition(const View::PresentedTransition& transition, Size size,
                                  const AffineTransform& toOutput, double alpha) {
    // The view turns about its vertical middle by half a turn; up to the middle of the
    // transition its front (the picture before) shows, after it the back (the picture after),
    // seen from behind the front so that it reads the right way round.
    const bool front = transition.progress < 0.5;
    const auto* image =
        dynamic_cast<const SurfaceViewImage*>(front ? transition.before : transition.after);
    SDL_Texture* texture = image ? textures_.viewImage(*image) : nullptr;
    if (!texture || size.width <= 0 || size.height <= 0) {
        return false;
    }
    // From the left, the left edge comes forward first.
    const double direction = transition.transition == ViewTransition::FlipFromLeft ? -1 : 1;
    const double angle = direction * std::numbers::pi * transition.progress;
    const double side = front ? 1 : -1;
    const double eye = kTransitionEyeDistance * size.width;
    auto project = [&](double x, double y) {
        const double fromMiddle = side * (x - size.width / 2);
        const double depth = fromMiddle * std::sin(angle);  // towards the eye
        const double scale = eye / (eye - depth);
        return Point{size.width / 2 + fromMiddle * std::cos(angle) * scale,
                     size.height / 2 + (y - size.height / 2) * scale};
    };
    // Turned away from the light, the face darkens.
    const double light = 0.55 + 0.45 * std::abs(std::cos(angle));
    const Color tint{light, light, light, 1};
    const double pixelsPerPoint = image->surface()->w / image->size().width;
    for (int strip = 0; strip < kTransitionStrips; ++strip) {
        const double left = size.width * strip / kTransitionStrips;
        const double right = size.width * (strip + 1) / kTransitionStrips;
        const std::array<Point, 4> corners = {project(left, 0), project(right, 0),
                                              project(right, size.height),
                                              project(left, size.height)};
        const Rect source{left * pixelsPerPoint, 0, (right - left) * pixelsPerPoint,
                          static_cast<double>(image->surface()->h)};
        canvas_.drawTextureQuad(toOutput, texture, source, corners, tint, alpha);
    }
    return true;
}

std::optional<SDL_Rect> ViewRenderer::narrowClip(const AffineTransform& toOutput, Size bounds) {
    const std::optional<SDL_Rect> before = clip_;
    const Point corners[4] = {toOutput.apply({0, 0}), toOutput.apply({bounds.width, 0}),
                              toOutput.apply({0, bounds.height}),
                              toOutput.apply({bounds.width, bounds.height})};
    const Rect enclosing = enclosingBox(corners);
    SDL_Rect box{static_cast<int>(std::floor(enclosing.x)),
                 static_cast<int>(std::floor(enclosing.y)), 0, 0};
    box.w = std::max(0, static_cast<int>(std::ceil(enclosing.x + enclosing.width)) - box.x);
    box.h = std::max(0, static_cast<int>(std::ceil(enclosing.y + enclosing.height)) - box.y);
    if (before) {
        SDL_Rect inside{};
        if (!SDL_IntersectRect(&box, &*before, &inside)) {
            inside = {box.x, box.y, 0, 0};
        }
        box = inside;
    }
    clip_ = box;
    // An empty clip rectangle would switch clipping off: draw nothing through a 1-pixel
    // rectangle outside the output instead.
    const SDL_Rect applied = box.w > 0 && box.h > 0 ? box : SDL_Rect{-2, -2, 1, 1};
    SDL_RenderSetClipRect(renderer_, &applied);
    return before;
}

void ViewRenderer::restoreClip(const std::optional<SDL_Rect>& clip) {
    clip_ = clip;
    if (clip) {
        const SDL_Rect applied = clip->w > 0 && clip->h > 0 ? *clip : SDL_Rect{-2, -2, 1, 1};
        SDL_RenderSetClipRect(renderer_, &applied);
    } else {
        SDL_RenderSetClipRect(renderer_, nullptr);
    }
}

void ViewRenderer::drawContent(DrawContext& context, const View& view,
                               const AffineTransform& toOutput, double alpha,
                               const TextField* focusedField) {
    if (auto* image = dynamic_cast<const ImageView*>(&view)) {
        drawImageView(context, toOutput, *image, alpha);
    } else if (auto* label = dynamic_cast<const Label*>(&view)) {
        drawLabel(context, toOutput, *label, alpha);
    } else if (auto* button = dynamic_cast<const Button*>(&view)) {
        drawButton(context, toOutput, *button, alpha);
    } else if (auto* control = dynamic_cast<const Switch*>(&view)) {
        drawSwitch(context, toOutput, *control, alpha);
    } else if (auto* field = dynamic_cast<const TextField*>(&view)) {
        drawTextField(context, toOutput, *field, field == focusedField, alpha);
    } else if (auto* indicator = dynamic_cast<const ActivityIndicatorView*>(&view)) {
        drawActivityIndicator(context, toOutput, *indicator, alpha);
    } else if (auto* pages = dynamic_cast<const PageControl*>(&view)) {
        drawPageControl(context, toOutput, *pages, alpha);
    } else if (auto* picker = dynamic_cast<const PickerView*>(&view)) {
        drawPickerView(context, toOutput, *picker, alpha);
    } else if (auto* table = dynamic_cast<const TableView*>(&view)) {
        drawTableView(context, toOutput, *table, alpha);
    }
}

void ViewRenderer::drawMovie(const MovieFrame& movie, Size screen, const Letterbox& box) {
    if (movie.width <= 0 || movie.height <= 0) {
        return;
    }
    int textureWidth = 0;
    int textureHeight = 0;
    if (movieTexture_) {
        SDL_QueryTexture(movieTexture_, nullptr, nullptr, &textureWidth, &textureHeight);
    }
    if (!movieTexture_ || textureWidth != movie.width || textureHeight != movie.height) {
        if (movieTexture_) {
            SDL_DestroyTexture(movieTexture_);
        }
        movieTexture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32,
                                          SDL_TEXTUREACCESS_STREAMING, movie.width, movie.height);
        SDL_SetTextureScaleMode(movieTexture_, SDL_ScaleModeLinear);
        movieSerial_ = 0;
    }
    if (!movieTexture_) {
        return;
    }
    if (movieSerial_ != movie.serial) {
        SDL_UpdateTexture(movieTexture_, nullptr, movie.pixels.data(), movie.width * 4);
        movieSerial_ = movie.serial;
    }
    // The movie keeps its proportions inside the screen, on black.
    const Letterbox inScreen = Letterbox::fit({double(movie.width), double(movie.height)}, screen);
    const Rect picture{inScreen.offsetX, inScreen.offsetY, movie.width * inScreen.scale,
                       movie.height * inScreen.scale};
    canvas_.drawTexture(box.transform(), movieTexture_,
                        {0, 0, double(movie.width), double(movie.height)}, picture, Color::white(),
                        1);
}
