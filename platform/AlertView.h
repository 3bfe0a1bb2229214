// An alert box: a title, a message and a row of buttons. Shown alerts are kept by the platform
// until dismissed (the window draws the visible ones; tests read and dismiss them).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class AlertView {
public:
    using DismissHandler = std::function<void(int buttonIndex)>;

    // Shows a new alert. `onDismiss` (may be empty) hears the index of the button that closed it.
    static std::shared_ptr<AlertView> show(std::string title, std::string message,
                                           std::vector<std::string> buttonTitles,
                                           DismissHandler onDismiss = {});

    AlertView(std::string title, std::string message, std::vector<std::string> buttonTitles,
              DismissHandler onDismiss);

    const std::string& title() const { return title_; }
    const std::string& message() const { return message_; }
    const std::vector<std::string>& buttonTitles() const { return buttonTitles_; }
    bool isVisible() const { return visible_; }
    // As if the button at `buttonIndex` were pressed: hides the alert and tells its handler.
    // Ignored when the alert is no longer visible or the index names no button.
    void dismiss(int buttonIndex);

private:
    std::string title_;
    std::string message_;
    std::vector<std::string> buttonTitles_;
    DismissHandler onDismiss_;
    bool visible_ = true;
};
