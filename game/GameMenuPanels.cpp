// The game hub's three sliding panels. Each moves only from its own state: showing a panel
// that is in, or hiding one that is out, does nothing.
#include "app/MoveField.h"
#include "game/GameMenuController.h"
#include "platform/Label.h"
#include "platform/TextField.h"

void GameMenuController::slidePanel(View& panel, bool& shown, bool show, double offset) {
    if (shown != show) {
        moveField(panel, show ? offset : -offset);
        shown = show;
    }
}

void GameMenuController::showSettingsView() {
    slidePanel(*settingsView, isShowSettingsView_, true, values_.settingsOffset);
}

void GameMenuController::applySettings() {
    resignTextFields();
    slidePanel(*settingsView, isShowSettingsView_, false, values_.settingsOffset);
}

void GameMenuController::showAfterLoginView() {
    slidePanel(*afterLoginView, isShowAfterLoginView_, true, values_.afterLoginOffset);
}

void GameMenuController::hideAfterLoginView() {
    slidePanel(*afterLoginView, isShowAfterLoginView_, false, values_.afterLoginOffset);
}

void GameMenuController::showUserDetailsView() {
    slidePanel(*userDetailsView, isShowUserDetailsView_, true, values_.userDetailsOffset);
}

void GameMenuController::hideUserDetailsView() {
    resignTextFields();
    slidePanel(*userDetailsView, isShowUserDetailsView_, false, values_.userDetailsOffset);
}

void GameMenuController::showSettingsViewOrAfterLoginView() {
    if (!usernameLabel->text().empty()) {
        showAfterLoginView();
    } else {
        showSettingsView();
    }
}

bool GameMenuController::textFieldShouldReturn(TextField& field) {
    field.resignFirstResponder();
    return true;
}

void GameMenuController::resignTextFields() {
    for (TextField* field : {login, password, email}) {
        field->resignFirstResponder();
    }
}
