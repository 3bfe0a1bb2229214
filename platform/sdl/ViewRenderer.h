// Draws what the window shows onto an SDL renderer: the view tree with the presented values of
// running animations (back to front, hidden views and their subtrees skipped, alpha multiplied
// down the tree, transforms about the anchor point), then the visible alert and a movie shown
// full screen. A view in a transition is drawn turning, from its cached pictures. The logical
// screen is fitted into the renderer's output with a letterbox. The same code draws into the
// window and offscreen into a surface (a software renderer).
#pragma once

#include <SDL.h>

#include <memory>
#include <optional>

#include "platform/AlertView.h"
#include "platform/View.h"
#include "platform/sdl/AlertPanel.h"
#include "platform/sdl/Canvas.h"
#include "platform/sdl/Letterbox.h"
#include "platform/sdl/MovieFrame.h"
#include "platform/sdl/TextureCache.h"

class TextField;
class Window;

// What is drawn over the view tree.
struct ScreenOverlays {
    const TextField* focusedField = nullptr;
    std::shared_ptr<AlertView> alert;
    const MovieFrame* movie = nullptr;  // a movie presented full screen
};

// The overlays of the active platform: its visible alert and the movie presented full screen
// by the window's services, if those are installed.
ScreenOverlays currentOverlays(const TextField* focusedField = nullptr);

class ViewRenderer {
public:
    explicit ViewRenderer(SDL_Renderer* renderer);
    ~ViewRenderer();
    ViewRenderer(const ViewRenderer&) = delete;
    ViewRenderer& operator=(const ViewRenderer&) = delete;

    // Clears the output to black and draws the screen into it (does not present).
    void drawScreen(Window& window, const ScreenOverlays& overlays);
    // Clears the output to transparent and draws `view` alone at the origin, one pixel per
    // point, as it looks now (a transition picture; does not present).
    void drawViewAlone(const View& view);
    // Where the logical screen of `screen` size sits in the output now.
    Letterbox letterbox(Size screen) const;
    // The layout of `alert` as drawn on a screen of `screen` size, in screen points.
    AlertLayout alertLayout(Size screen, const AlertView& alert);

private:
    void drawView(DrawContext& context, const View& view, const AffineTransform& parentToOutput,
                  double parentAlpha, const TextField* focusedField);
    // The view itself, its content and its subviews, at `toOutput`.
    void drawLocal(DrawContext& context, const View& view, const AffineTransform& toOutput,
                   double alpha, const TextField* focusedField);
    // The face shown now of a view turning over; false when a picture is missing.
    bool drawTransition(const View::PresentedTransition& transition, Size size,
                        const AffineTransform& toOutput, double alpha);
    void drawContent(DrawContext& context, const View& view, const AffineTransform& toOutput,
                     double alpha, const TextField* focusedField);
    void drawMovie(const MovieFrame& movie, Size screen, const Letterbox& box);
    // Narrows the renderer's clip to `bounds` drawn under `toOutput`; returns the clip before.
    std::optional<SDL_Rect> narrowClip(const AffineTransform& toOutput, Size bounds);
    void restoreClip(const std::optional<SDL_Rect>& clip);

    SDL_Renderer* renderer_;
    Canvas canvas_;
    TextureCache textures_;
    SDL_Texture* movieTexture_ = nullptr;
    uint64_t movieSerial_ = 0;
    std::optional<SDL_Rect> clip_;  // in output pixels; none while nothing clips
};
