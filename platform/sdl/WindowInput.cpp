// The window's input: mouse, touch and keyboard events turned into fingers on the screen, taps
// on the alert's buttons and text typed into the focused text field.
#include <string>

#include "platform/AlertView.h"
#include "platform/Platform.h"
#include "platform/TextField.h"
#include "platform/Window.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/ViewRenderer.h"

namespace {
// Removes the last character (UTF-8 code point) of `text`.
void eraseLastCharacter(std::string& text) {
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) {
            break;
        }
    }
}
}  // namespace

Point SdlWindow::mouseToScreen(int x, int y) const {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdlWindow_, &width, &height);
    return Letterbox::fit(window_.size(), {double(width), double(height)})
        .toLogical({double(x), double(y)});
}

Point SdlWindow::touchToScreen(float x, float y) const {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdlWindow_, &width, &height);
    const Size windowSize{double(width), double(height)};
    return normalizedToLogical(Letterbox::fit(window_.size(), windowSize), windowSize, x, y);
}

int SdlWindow::fingerNumber(SDL_FingerID id) {
    // Finger 0 is the mouse; touch fingers are numbered from 1 in the order they arrive.
    auto [it, inserted] = fingerNumbers_.try_emplace(id, 0);
    if (inserted) {
        int number = 1;
        for (const auto& [other, used] : fingerNumbers_) {
            number = std::max(number, used + 1);
        }
        it->second = number;
    }
    return it->second;
}

void SdlWindow::handleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            open_ = false;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                open_ = false;
            } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                cancelFingers();
            }
            needsDrawing_ = true;
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT && event.button.which != SDL_TOUCH_MOUSEID) {
                fingerDown(0, mouseToScreen(event.button.x, event.button.y));
            }
            break;
        case SDL_MOUSEMOTION:
            if ((event.motion.state & SDL_BUTTON_LMASK) &&
                event.motion.which != SDL_TOUCH_MOUSEID) {
                fingerMove(0, mouseToScreen(event.motion.x, event.motion.y));
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT && event.button.which != SDL_TOUCH_MOUSEID) {
                fingerUp(0, mouseToScreen(event.button.x, event.button.y));
            }
            break;
        case SDL_FINGERDOWN:
            fingerDown(fingerNumber(event.tfinger.fingerId),
                       touchToScreen(event.tfinger.x, event.tfinger.y));
            break;
        case SDL_FINGERMOTION:
            fingerMove(fingerNumber(event.tfinger.fingerId),
                       touchToScreen(event.tfinger.x, event.tfinger.y));
            break;
        case SDL_FINGERUP:
            fingerUp(fingerNumber(event.tfinger.fingerId),
                     touchToScreen(event.tfinger.x, event.tfinger.y));
            fingerNumbers_.erase(event.tfinger.fingerId);
            break;
        case SDL_TEXTINPUT:
            if (TextField* field = focusedField()) {
                field->setText(field->text() + event.text.text);
                needsDrawing_ = true;
            }
            break;
        case SDL_KEYDOWN:
            handleKey(event.key);
            break;
        default:
            break;
    }
}

void SdlWindow::fingerDown(int finger, Point location) {
    needsDrawing_ = true;
    if (std::shared_ptr<AlertView> alert = Platform::current().visibleAlert()) {
        fingersOnAlert_[finger] =
            viewRenderer_->alertLayout(window_.size(), *alert).buttonAt(location);
        return;
    }
    if (currentOverlays().movie) {
        fingersOnMovie_.insert(finger);
        return;
    }
    // A finger landing anywhere but on a text field puts the keyboard away; a field takes the
    // focus itself when tapped.
    if (!dynamic_cast<TextField*>(window_.rootView().hitTest(location))) {
        window_.setFocusedField(nullptr);
    }
    fingersOnWindow_.insert(finger);
    window_.touchDown(location, finger);
}

void SdlWindow::fingerMove(int finger, Point location) {
    if (fingersOnWindow_.contains(finger)) {
        needsDrawing_ = true;
        window_.touchMove(location, finger);
    }
}

void SdlWindow::fingerUp(int finger, Point location) {
    needsDrawing_ = true;
    if (auto pressed = fingersOnAlert_.find(finger); pressed != fingersOnAlert_.end()) {
        const int button = pressed->second;
        fingersOnAlert_.erase(pressed);
        std::shared_ptr<AlertView> alert = Platform::current().visibleAlert();
        if (alert && button >= 0 &&
            viewRenderer_->alertLayout(window_.size(), *alert).buttonAt(location) == button) {
            alert->dismiss(button);
        }
        return;
    }
    if (fingersOnMovie_.erase(finger) > 0) {
        // A tap on the movie is its Done control.
        if (MoviePlayer* movie = Platform::current().services().fullScreenMovie()) {
            movie->leaveFullScreen();
        }
        return;
    }
    if (fingersOnWindow_.erase(finger) > 0) {
        window_.touchUp(location, finger);
    }
}

void SdlWindow::cancelFingers() {
    // The window will not hear these fingers lift.
    for (int finger : fingersOnWindow_) {
        window_.touchCancel(finger);
    }
    fingersOnWindow_.clear();
    fingersOnAlert_.clear();
    fingersOnMovie_.clear();
    fingerNumbers_.clear();
}

void SdlWindow::handleKey(const SDL_KeyboardEvent& key) {
    MoviePlayer* movie = Platform::current().services().fullScreenMovie();
    if (movie && key.keysym.sym == SDLK_ESCAPE) {
        needsDrawing_ = true;
        movie->leaveFullScreen();
        return;
    }
    TextField* field = focusedField();
    if (!field) {
        return;
    }
    needsDrawing_ = true;
    switch (key.keysym.sym) {
        case SDLK_BACKSPACE: {
            std::string text = field->text();
            eraseLastCharacter(text);
            field->setText(std::move(text));
            break;
        }
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            field->pressReturn();
            break;
        case SDLK_ESCAPE:
            window_.setFocusedField(nullptr);
            break;
        default:
            break;
    }
}
