// A view the player operates (button, switch, text field): it sends its action, by name, to
// its target, the screen or a view with actions of its own. Controls handle the touches they
// receive themselves; a disabled control swallows them without acting.
#pragma once

#include <string>

#include "platform/View.h"

class ActionTarget;

class Control : public View {
public:
    // `target` receives `action`; either may be empty (null), and then nothing is sent.
    void setAction(ActionTarget* target, std::string action);
    const std::string& action() const { return action_; }
    ActionTarget* target() const { return target_; }
    // Sends the action to the target now.
    void sendAction();

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }

    void touchesBegan(const TouchSet& touches, const TouchEvent& event) override;
    void touchesMoved(const TouchSet& touches, const TouchEvent& event) override;
    void touchesEnded(const TouchSet& touches, const TouchEvent& event) override;
    void touchesCancelled(const TouchSet& touches, const TouchEvent& event) override;

protected:
    // The one finger the control follows, or null.
    const Touch* trackedTouch() const { return tracking_; }
    // A finger that went down on the control lifted inside it.
    virtual void touchUpInside() { sendAction(); }

private:
    bool isInside(const Touch& touch) const;

    ActionTarget* target_ = nullptr;
    std::string action_;
    bool enabled_ = true;
    bool highlighted_ = false;
    Touch* tracking_ = nullptr;  // the one finger the control follows
};
