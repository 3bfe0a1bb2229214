// An on/off switch. A tap flips it and sends its action (value changed); setOn() from the
// program sends nothing.
#pragma once

#include "platform/Control.h"

class Switch : public Control {
public:
    std::string_view typeName() const override { return "Switch"; }

    bool isOn() const { return on_; }
    void setOn(bool on) { on_ = on; }

protected:
    void touchUpInside() override {
        on_ = !on_;
        sendAction();
    }

private:
    bool on_ = false;
};
