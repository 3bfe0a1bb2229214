// One screen: a controller that owns its root view, builds the view's widgets from the screen's
// layout resource, and hears the life-cycle calls of the navigation stack. Widgets are reached
// through named outlets, which the layout loader fills; controls send actions by name, which
// the screen registers with addAction(). View classes of the screen's own that its layout names
// by type are registered with registerViewClass().
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ActionTarget.h"
#include "platform/DeviceProfile.h"
#include "platform/Responder.h"
#include "platform/View.h"

class NavigationController;

class ViewController;

void reportMissingOutlet(const ViewController& screen, const std::string& name);

class ViewController : public Responder, public ActionTarget {
public:
    // `layoutName` is the phone name of the screen's layout resource ("MenuController"), which
    // the profile turns into the file to load; empty for a screen without one.
    ViewController(const DeviceProfile& profile, std::string layoutName);
    ~ViewController() override;
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    const DeviceProfile& profile() const { return profile_; }
    const std::string& layoutName() const { return layoutName_; }
    // The class of the screen ("PlayController_ipad"), as scripts and the registry name it.
    std::string className() const;

    // The root view, of the screen's size; built (layout, then viewDidLoad) on first use.
    View& view();
    bool isViewLoaded() const { return view_ != nullptr; }

    // Life cycle: viewDidLoad once, before the first appearance; the others each time the
    // screen comes into view or leaves it.
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { (void)animated; }
    virtual void viewDidAppear(bool animated) { (void)animated; }
    virtual void viewWillDisappear(bool animated) { (void)animated; }
    virtual void viewDidDisappear(bool animated) { (void)animated; }

    // The navigation stack this screen is on, or null.
    NavigationController* navigationController() const { return navigationController_; }
    void setNavigationController(NavigationController* navigation) {
        navigationController_ = navigation;
    }

    // Outlets: views by name (null when there is none, or of another type).
    void setOutlet(std::string name, View* view);
    View* outletView(std::string_view name) const;
    template <class T>
    T* outlet(std::string_view name) const {
        return dynamic_cast<T*>(outletView(name));
    }
    const std::map<std::string, View*, std::less<>>& outlets() const { return outlets_; }

    // A view class the layout may name as a widget type; null when the screen has none.
    void registerViewClass(std::string typeName, std::function<std::unique_ptr<View>()> make);
    std::unique_ptr<View> makeViewOfClass(std::string_view typeName) const;

    Responder* nextResponder() const override;

protected:
    std::string actionTargetName() const override { return className(); }
    // Fills the freshly made root view; by default loads the layout resource.
    virtual void loadView();

private:
    DeviceProfile profile_;
    std::string layoutName_;
    std::unique_ptr<View> view_;
    NavigationController* navigationController_ = nullptr;
    std::map<std::string, View*, std::less<>> outlets_;
    std::map<std::string, std::function<std::unique_ptr<View>()>, std::less<>> viewClasses_;
};

// The outlet `name` of `screen`; when the layout lacks it, a hidden stand-in added to `parent`
// (and a line on standard error), so that the screen still works with what it has.
template <class T>
T* requireOutlet(ViewController& screen, View& parent, const std::string& name) {
    if (T* found = screen.outlet<T>(name)) {
        return found;
    }
    reportMissingOutlet(screen, name);
    T& standIn = parent.addSubview(std::make_unique<T>());
    standIn.setName(name);
    standIn.setHidden(true);
    screen.setOutlet(name, &standIn);
    return &standIn;
}
