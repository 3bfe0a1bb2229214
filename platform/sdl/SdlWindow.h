// The game's window on SDL2: it shows a platform Window (the profile's screen in landscape),
// letterboxed into a resizable desktop window, and feeds it input: the mouse as finger 0, touch
// screens as several fingers, the keyboard into the focused text field. Taps go to the visible
// alert's buttons while one is shown; a movie presented full screen takes no input.
//
// The event loop runs the platform's run loop on the real clock. It sleeps in SDL's event wait
// until the next event, the next timer or the moment the picture shown stops being current: at
// the frame rate (about 60 Hz) during view and frame animations, at each step of a spinning
// activity indicator (see Motion.h). It draws only then or after input, a timer or a window
// change, at most once per frame interval, so an idle window uses next to no CPU.
//
// The platform with the window's services (SdlServices::install()) must be installed before the
// screens are made.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/Geometry.h"
#include "platform/sdl/Letterbox.h"

class TextField;
class ViewRenderer;
class Window;

struct WindowOptions {
    std::string title = "Kalvorn";
    // The window opens at the screen's size times this; the player may resize it.
    double scale = 1;
};

class SdlWindow {
public:
    SdlWindow(Window& window, const WindowOptions& options);
    ~SdlWindow();
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // False when the window could not be made (see error()) or the player closed it.
    bool isOpen() const { return open_; }
    const std::string& error() const { return error_; }

    // Runs the event loop until the player closes the window.
    void run();
    // Runs the event loop for `seconds` of real time (a script's `wait`); false when the window
    // was closed meanwhile.
    bool runFor(double seconds);
    // Writes a PNG of what the window shows now, at the screen's size in points.
    bool saveScreenshot(const std::string& path, std::string& error);
    // Draws a frame now and returns a copy of the window's pixels (the caller frees it).
    SDL_Surface* capturePixels();
    // Draws and presents a frame now; the loop does so by itself whenever something changed.
    void drawFrame();
    // Frames drawn since the window opened.
    uint64_t framesDrawn() const { return framesDrawn_; }

private:
    // One turn: due timers, drawing if needed, then waiting for an event until `deadline`
    // (run loop seconds) or the next timer or frame.
    void turn(std::optional<double> deadline);
    void handleEvent(const SDL_Event& event);
    void fingerDown(int finger, Point location);
    void fingerMove(int finger, Point location);
    void fingerUp(int finger, Point location);
    void cancelFingers();
    void handleKey(const SDL_KeyboardEvent& key);
    // The window's focused field, with the text input switched to match.
    TextField* focusedField();
    Point mouseToScreen(int x, int y) const;
    Point touchToScreen(float x, float y) const;
    int fingerNumber(SDL_FingerID id);

    Window& window_;
    SDL_Window* sdlWindow_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<ViewRenderer> viewRenderer_;
    bool open_ = false;
    std::string error_;
    bool needsDrawing_ = true;
    double lastFrame_ = -1e9;           // when the last frame began (run loop seconds)
    std::optional<double> shownUntil_;  // when the last frame stops being current
    uint64_t framesDrawn_ = 0;

    std::set<int> fingersOnWindow_;      // fingers delivered to the window's views
    std::map<int, int> fingersOnAlert_;  // finger -> the alert button it went down on (or -1)
    std::set<int> fingersOnMovie_;       // fingers that went down on a full-screen movie
    std::map<SDL_FingerID, int> fingerNumbers_;
    bool textInputOn_ = false;
};

// Opens the window and runs it until the player closes it; the exit status (1 when the window
// cannot be opened).
int runWindow(Window& window, const WindowOptions& options);
