// The active platform: the main run loop, the backend's services (sound and movie players, URL
// connections, leaderboard), the device model identifier and the alerts shown. Screens reach it
// through Platform::current() and never need to know which backend runs. Until something else
// is installed the platform is headless, on a virtual clock.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/AlertView.h"
#include "platform/Clock.h"
#include "platform/PlatformServices.h"
#include "platform/RunLoop.h"

class HeadlessServices;
class View;
class ViewImage;

// Makes a picture of how a view looks now (for a transition), or null when it cannot.
using ViewImageMaker = std::function<std::shared_ptr<const ViewImage>(const View&)>;

class Platform {
public:
    Platform(std::unique_ptr<Clock> clock, std::unique_ptr<PlatformServices> services);

    static Platform& current();
    // Replaces the active platform; the previous one (its pending timers included) is destroyed.
    static Platform& install(std::unique_ptr<Platform> platform);
    // Installs a fresh headless platform on a virtual clock at time 0 and returns its services,
    // whose records tests read.
    static HeadlessServices& installHeadless();

    RunLoop& runLoop() { return *runLoop_; }
    PlatformServices& services() { return *services_; }

    // The hardware model identifier, e.g. "iPhone1,1"; empty when unknown.
    const std::string& deviceModel() const { return deviceModel_; }
    void setDeviceModel(std::string model) { deviceModel_ = std::move(model); }

    // The drawing backend's maker of view pictures; none until one is set, and then
    // makeViewImage() gives null.
    void setViewImageMaker(ViewImageMaker maker) { viewImageMaker_ = std::move(maker); }
    std::shared_ptr<const ViewImage> makeViewImage(const View& view) const {
        return viewImageMaker_ ? viewImageMaker_(view) : nullptr;
    }

    // Every alert shown, oldest first (visible or already dismissed).
    const std::vector<std::shared_ptr<AlertView>>& alerts() const { return alerts_; }
    // The newest alert still visible, or null.
    std::shared_ptr<AlertView> visibleAlert() const;
    void addAlert(std::shared_ptr<AlertView> alert) { alerts_.push_back(std::move(alert)); }

    // A line of the system log: written to standard error and kept, oldest first, so that
    // scripts and tests can see what was logged.
    void log(std::string line);
    const std::vector<std::string>& logLines() const { return logLines_; }

    // Keeps an object that nobody else holds alive (a request whose creator let go of it) until
    // release() or the platform's end; it goes before the run loop and the services it uses.
    void retain(std::shared_ptr<void> object) { retained_.push_back(std::move(object)); }
    void release(const void* object);

private:
    // Declared first so that it is destroyed last: pending callbacks may still hold its objects.
    std::unique_ptr<PlatformServices> services_;
    std::unique_ptr<RunLoop> runLoop_;
    std::string deviceModel_;
    ViewImageMaker viewImageMaker_;
    std::vector<std::shared_ptr<AlertView>> alerts_;
    std::vector<std::string> logLines_;
    std::vector<std::shared_ptr<void>> retained_;
};
