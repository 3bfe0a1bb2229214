// A one-line text entry. The text is typed by the backend's keyboard or by a script; the action
// is sent when the player confirms with the return key.
#pragma once

#include <string>

#include "platform/Control.h"

class TextField : public Control {
public:
    std::string_view typeName() const override { return "TextField"; }

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(std::string placeholder) { placeholder_ = std::move(placeholder); }
    // Shown as dots (passwords).
    bool isSecureTextEntry() const { return secure_; }
    void setSecureTextEntry(bool secure) { secure_ = secure; }
    // The return key: sends the action.
    void pressReturn() { sendAction(); }

    // The keyboard focus, held by the window (Window::focusedField): a tap takes it, the screen
    // gives it up. Only a field inside a window can take it; false otherwise.
    bool isFirstResponder() const;
    bool becomeFirstResponder();
    void resignFirstResponder();

protected:
    // A tap takes the focus and places the caret; the action waits for the return key.
    void touchUpInside() override { becomeFirstResponder(); }

private:
    std::string text_;
    std::string placeholder_;
    bool secure_ = false;
};
