// The game hub's account: log-in, registration in two steps, the password reminder, log-out and
// autologin. One account request is under way at a time; while it is, the account buttons do
// nothing. Its reply is handled as the request that was sent, for the name it carried, whatever
// the fields hold by the time it arrives.
#include <optional>

#include "JSON/QvJSON.h"
#include "app/AppDelegate_All.h"
#include "app/SettingManagement.h"
#include "app/TextValue.h"
#include "game/GameMenuController.h"
#include "online/ReplyValues.h"
#include "online/ServiceRequests.h"
#include "online/SynchronizationPhone.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/AlertView.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/Platform.h"
#include "platform/Switch.h"
#include "platform/TextField.h"

namespace {

constexpr double kUserDetailsDelaySeconds = 0.5;
// Long enough for a restore's reply to have been applied, in the usual case.
constexpr double kAfterRestoreDelaySeconds = 2.0;
const Color kMessageColor{1, 0, 0, 1};

}  // namespace

void GameMenuController::loginClick() {
    if (isLoading_) {
        return;
    }
    messageLabel->setText("");
    isJoinStep1_ = false;
    getLogin(login->text(), password->text());
}

void GameMenuController::joinClick() {
    if (isLoading_) {
        return;
    }
    messageLabel->setText("");
    getJoinStep1(login->text(), password->text());
}

void GameMenuController::joinStep2Click() {
    if (isLoading_) {
        return;
    }
    messageLabel->setText("");
    getJoinStep2(login->text(), password->text(), email->text(), selectedCountryLabel->text());
}

void GameMenuController::forgetClick() {
    if (isLoading_) {
        return;
    }
    messageLabel->setText("");
    getForgot(login->text());
}

void GameMenuController::getLogin(const std::string& userName, const std::string& secret) {
    sendAccountRequest(AccountRequest::Login, ServiceRequests::loginUser(userName, secret),
                       userName);
}

void GameMenuController::getJoinStep1(const std::string& userName, const std::string& secret) {
    sendAccountRequest(AccountRequest::JoinStep1, ServiceRequests::checkUser(userName, secret),
                       userName);
}

void GameMenuController::getJoinStep2(const std::string& userName, const std::string& secret,
                                      const std::string& mail, const std::string& country) {
    sendAccountRequest(AccountRequest::JoinStep2,
                       ServiceRequests::join(userName, secret, mail, country), userName);
}

void GameMenuController::getForgot(const std::string& userName) {
    sendAccountRequest(AccountRequest::Forgot, ServiceRequests::forgot(userName), userName);
}

bool& GameMenuController::flagOf(AccountRequest kind) {
    switch (kind) {
        case AccountRequest::Login:
            return isLogin_;
        case AccountRequest::JoinStep1:
            return isJoinStep1_;
        case AccountRequest::JoinStep2:
            return isJoinStep2_;
        case AccountRequest::Forgot:
            break;
    }
    return isForgot_;
}

void GameMenuController::sendAccountRequest(AccountRequest kind, UrlRequest request,
                                            const std::string& userName) {
    if (isLoading_) {
        return;
    }
    indicator->startAnimating();
    isLoading_ = true;
    flagOf(kind) = true;
    const bool sent =
        accountCall_.start(std::move(request), [this, kind, userName](const ServiceReply& reply) {
            accountReplyArrived(kind, userName, reply);
        });
    if (!sent) {
        accountRequestFailed(kind);
    }
}

void GameMenuController::accountRequestFailed(AccountRequest kind) {
    indicator->stopAnimating();
    isLoading_ = false;
    flagOf(kind) = false;
    AlertView::show("Error", "Connection error", {"OK"});
}

void GameMenuController::accountReplyArrived(AccountRequest kind, const std::string& userName,
                                             const ServiceReply& reply) {
    if (!reply.complete) {
        // Not the reason: it may quote the request, password and all.
        Platform::current().log("account request failed");
        accountRequestFailed(kind);
        return;
    }
    isLoading_ = false;
    const QvJsonValue results = JSONValue(reply.body).value_or(QvJsonValue());
    // An error page never counts as a success, whatever its body says.
    const int64_t code = reply.succeeded() ? replyCode(results) : 0;
    if (code == 0) {
        messageLabel->setTextColor(kMessageColor);
        messageLabel->setText(replyText(results[1]).value_or(""));
        isLogin_ = false;
        isForgot_ = false;
    }
    const bool success = code == 1;
    if (success && kind == AccountRequest::Forgot) {
        showAlert("Info", "Email with new password has been sent to Your email!", {"OK"},
                  [](GameMenuController& hub, int) { hub.isForgot_ = false; });
        applySettings();
    }
    if (success && kind == AccountRequest::JoinStep1) {
        isJoinStep1_ = false;
        applySettings();
        if (aTimer) {
            aTimer->invalidate();
        }
        aTimer = Platform::current().runLoop().performAfterDelay(kUserDetailsDelaySeconds,
                                                                 [this] { showUserDetailsView(); });
    }
    if (success && (kind == AccountRequest::Login || kind == AccountRequest::JoinStep2)) {
        loggedIn(kind, userName);
    }
    indicator->stopAnimating();
}

void GameMenuController::loggedIn(AccountRequest kind, const std::string& userName) {
    AppDelegate_All& app = AppDelegate_All::shared();
    app.login = userName;
    saveLoginToSettings(userName);
    if (intValue(app.is_first_login) == 0) {
        // The anonymous player's results go up under the new name and come back merged.
        SynchronizationPhone().firstSendDatabaseToServer();
        SettingManagement().saveSetting("is_first_login", "1");
        app.is_first_login = "1";
        afterDelay(kAfterRestoreDelaySeconds, &GameMenuController::preloadScore);
        isFirstSendigScoreToGlobalRanking_ = true;
    } else {
        isFirstSendigScoreToGlobalRanking_ = false;
    }
    preloadScore();
    applySettings();
    if (kind == AccountRequest::Login) {
        if (!isFirstSendigScoreToGlobalRanking_) {
            askToDownloadDatabase();
        }
    } else {
        hideUserDetailsView();
    }
    usernameLabel->setText(userName);
    usernameLabel2->setText(userName);
    greenDot->setHidden(false);
    isJoinStep2_ = false;
    isLogin_ = false;
    login->setText("");
    password->setText("");
    email->setText("");
    if (!autologowanie->isOn()) {
        // Logged in for this run only: the next start begins logged out.
        saveLoginToSettings("");
    }
    resignTextFields();
}

void GameMenuController::askToDownloadDatabase() {
    showAlert("Database", "Do You want to download a database of Your current scores?",
              {"YES", "NO"}, [](GameMenuController& hub, int buttonIndex) {
                  if (buttonIndex != 0) {
                      return;
                  }
                  SynchronizationPhone().restoreDatabaseFromServer();
                  hub.afterDelay(kAfterRestoreDelaySeconds, &GameMenuController::preloadScore);
                  hub.afterDelay(kAfterRestoreDelaySeconds,
                                 &GameMenuController::getPositionOnRanking);
              });
}

void GameMenuController::logoutClick() {
    // The backup is made while the name still names the leaving user.
    SynchronizationPhone().sendDatabaseToServer();
    // The backup above still carries the session; nothing after it does.
    UrlConnection::forgetCookies();
    AppDelegate_All::shared().login = "";
    saveLoginToSettings("");
    showLoggedIn(false);
    for (Label* label :
         {handgunsTotalPoints, submachineTotalPoints, riflesTotalPoints, machineTotalPoints,
          sniperTotalPoints, shotgunsTotalPoints, totalPointsLabel, rankLabel}) {
        label->setText("0");
    }
    hideAfterLoginView();
}

void GameMenuController::autologinChangeAndSave() {
    const std::string value = autologowanie->isOn() ? "1" : "0";
    SettingManagement().saveSetting("autologin", value);
    AppDelegate_All::shared().autologin = value;
}

void GameMenuController::saveLoginToSettings(const std::string& name) {
    SettingManagement().saveSetting("login", name);
}

void GameMenuController::afterDelay(double delay, void (GameMenuController::*call)()) {
    std::erase_if(refreshTimers_,
                  [](const std::shared_ptr<Timer>& timer) { return !timer->isValid(); });
    refreshTimers_.push_back(
        Platform::current().runLoop().performAfterDelay(delay, [this, call] { (this->*call)(); }));
}

void GameMenuController::showAlert(std::string title, std::string message,
                                   std::vector<std::string> buttons,
                                   std::function<void(GameMenuController&, int)> clicked) {
    std::weak_ptr<GameMenuController*> hub = self_;
    AlertView::show(std::move(title), std::move(message), std::move(buttons),
                    [hub, clicked](int buttonIndex) {
                        if (std::shared_ptr<GameMenuController*> alive = hub.lock()) {
                            clicked(**alive, buttonIndex);
                        }
                    });
}
