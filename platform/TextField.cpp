// The text field's share of the window's keyboard focus.
#include "platform/TextField.h"

#include "platform/Window.h"

bool TextField::isFirstResponder() const {
    const Window* shownIn = window();
    return shownIn && shownIn->focusedField() == this;
}

bool TextField::becomeFirstResponder() {
    Window* shownIn = window();
    if (!shownIn) {
        return false;
    }
    shownIn->setFocusedField(this);
    return true;
}

void TextField::resignFirstResponder() {
    if (isFirstResponder()) {
        window()->setFocusedField(nullptr);
    }
}
