// Alert boxes, kept by the platform while shown.
#include "platform/AlertView.h"

#include <utility>

#include "platform/Platform.h"

std::shared_ptr<AlertView> AlertView::show(std::string title, std::string message,
                                           std::vector<std::string> buttonTitles,
                                           DismissHandler onDismiss) {
    auto alert = std::make_shared<AlertView>(std::move(title), std::move(message),
                                             std::move(buttonTitles), std::move(onDismiss));
    Platform::current().addAlert(alert);
    return alert;
}

AlertView::AlertView(std::string title, std::string message, std::vector<std::string> buttonTitles,
                     DismissHandler onDismiss)
    : title_(std::move(title)),
      message_(std::move(message)),
      buttonTitles_(std::move(buttonTitles)),
      onDismiss_(std::move(onDismiss)) {}

void AlertView::dismiss(int buttonIndex) {
    if (!visible_ || buttonIndex < 0 || buttonIndex >= static_cast<int>(buttonTitles_.size())) {
        return;
    }
    visible_ = false;
    if (onDismiss_) {
        onDismiss_(buttonIndex);
    }
}
