// The window's life, its event loop and its drawing.
#include "platform/sdl/SdlWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/RunLoop.h"
#include "platform/TextField.h"
#include "platform/Window.h"
#include "platform/sdl/Motion.h"
#include "platform/sdl/OffscreenRenderer.h"
#include "platform/sdl/ViewRenderer.h"

namespace {
constexpr double kFrameInterval = 1.0 / 60;
constexpr double kTransferCheckInterval = 0.01;
}  // namespace

SdlWindow::SdlWindow(Window& window, const WindowOptions& options) : window_(window) {
    // Touches arrive as finger events only; the mouse is finger 0 by itself.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error_ = std::string("cannot start SDL video: ") + SDL_GetError();
        return;
    }
    const Size size = window_.size();
    const double scale = std::max(options.scale, 0.1);
    sdlWindow_ =
        SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         static_cast<int>(std::lround(size.width * scale)),
                         static_cast<int>(std::lround(size.height * scale)),
                         SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!sdlWindow_) {
        error_ = std::string("cannot open the window: ") + SDL_GetError();
        return;
    }
    SDL_SetWindowMinimumSize(sdlWindow_, static_cast<int>(size.width / 2),
                             static_cast<int>(size.height / 2));
    renderer_ = SDL_CreateRenderer(sdlWindow_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) {
        renderer_ = SDL_CreateRenderer(sdlWindow_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!renderer_) {
        error_ = std::string("cannot draw in the window: ") + SDL_GetError();
        return;
    }
    viewRenderer_ = std::make_unique<ViewRenderer>(renderer_);
    // Text input is on only while a text field has the focus.
    SDL_StopTextInput();
    open_ = true;
}

SdlWindow::~SdlWindow() {
    viewRenderer_.reset();
    if (renderer_) {
        SDL_DestroyRenderer(renderer_);
    }
    if (sdlWindow_) {
        SDL_DestroyWindow(sdlWindow_);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindow::run() {
    while (open_) {
        turn(std::nullopt);
    }
}

bool SdlWindow::runFor(double seconds) {
    // Between runs the program (a script's tap, say) may have changed what is shown.
    needsDrawing_ = true;
    const double deadline = RunLoop::main().now() + seconds;
    while (open_ && RunLoop::main().now() < deadline) {
        turn(deadline);
    }
    return open_;
}

void SdlWindow::turn(std::optional<double> deadline) {
    RunLoop& runLoop = RunLoop::main();
    runLoop.handleSource();
    const std::optional<double> dueTimer = runLoop.nextFireDate();
    if (dueTimer && *dueTimer <= runLoop.now()) {
        needsDrawing_ = true;
        runLoop.runDueTimers();
    }
    // Drawing is due after a change, or when the picture shown stops being current; either way
    // at most once per frame interval, however fast events arrive.
    const double nextFrameAllowed = lastFrame_ + kFrameInterval;
    const bool due = needsDrawing_ || (shownUntil_ && *shownUntil_ <= runLoop.now());
    if (due && runLoop.now() >= nextFrameAllowed) {
        drawFrame();
    }

    std::optional<double> wakeAt = deadline;
    auto wakeNoLaterThan = [&wakeAt](double time) {
        wakeAt = wakeAt ? std::min(*wakeAt, time) : time;
    };
    if (const std::optional<double> next = runLoop.nextFireDate()) {
        wakeNoLaterThan(*next);
    }
    if (runLoop.isSourceBusy()) {
        // Transfers in flight cannot wake the window's event wait, so look at them often.
        wakeNoLaterThan(runLoop.now() + kTransferCheckInterval);
    }
    if (needsDrawing_) {
        wakeNoLaterThan(lastFrame_ + kFrameInterval);
    } else if (shownUntil_) {
        wakeNoLaterThan(std::max(*shownUntil_, lastFrame_ + kFrameInterval));
    }
    SDL_Event event;
    bool received = false;
    if (!wakeAt) {
        received = SDL_WaitEvent(&event) != 0;
    } else {
        const double seconds = std::max(0.0, *wakeAt - runLoop.now());
        received = SDL_WaitEventTimeout(&event, static_cast<int>(std::ceil(seconds * 1000))) != 0;
    }
    if (received) {
        handleEvent(event);
        while (open_ && SDL_PollEvent(&event)) {
            handleEvent(event);
        }
    }
}

void SdlWindow::drawFrame() {
    lastFrame_ = RunLoop::main().now();
    shownUntil_ = nextChange(window_.rootView(), lastFrame_);
    viewRenderer_->drawScreen(window_, currentOverlays(focusedField()));
    SDL_RenderPresent(renderer_);
    needsDrawing_ = false;
    ++framesDrawn_;
}

bool SdlWindow::saveScreenshot(const std::string& path, std::string& error) {
    return ::saveScreenshot(window_, path, error);
}

SDL_Surface* SdlWindow::capturePixels() {
    if (!open_) {
        return nullptr;
    }
    // The back buffer is read before it is presented: after presenting its content is undefined.
    viewRenderer_->drawScreen(window_, currentOverlays(focusedField()));
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (surface && SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGBA32, surface->pixels,
                                        surface->pitch) != 0) {
        SDL_FreeSurface(surface);
        surface = nullptr;
    }
    SDL_RenderPresent(renderer_);
    return surface;
}

TextField* SdlWindow::focusedField() {
    TextField* field = window_.focusedField();
    // The platform's text input (an on-screen keyboard, an input method) is on only while a
    // field has the focus; the screens move the focus in the model.
    if ((field != nullptr) != textInputOn_) {
        textInputOn_ = field != nullptr;
        textInputOn_ ? SDL_StartTextInput() : SDL_StopTextInput();
    }
    return field;
}

int runWindow(Window& window, const WindowOptions& options) {
    SdlWindow sdlWindow(window, options);
    if (!sdlWindow.isOpen()) {
        std::fprintf(stderr, "kalvorn: %s\n", sdlWindow.error().c_str());
        return 1;
    }
    sdlWindow.run();
    return 0;
}
