// Screen controllers: root view loading, outlets and actions.
#include "platform/ViewController.h"

#include <cxxabi.h>

#include <cstdlib>
#include <iostream>
#include <typeinfo>
#include <utility>

#include "platform/LayoutLoader.h"

ViewController::ViewController(const DeviceProfile& profile, std::string layoutName)
    : profile_(profile), layoutName_(std::move(layoutName)) {}

ViewController::~ViewController() = default;

std::string ViewController::className() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    const size_t scope = name.rfind("::");
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

View& ViewController::view() {
    if (!view_) {
        const Size screen = profile_.screenSize();
        view_ = std::make_unique<View>(Rect{0, 0, screen.width, screen.height});
        view_->setName("view");
        view_->setViewController(this);
        setOutlet("view", view_.get());
        loadView();
        viewDidLoad();
    }
    return *view_;
}

void ViewController::loadView() {
    if (!layoutName_.empty()) {
        loadLayout(*this, view());
    }
}

void ViewController::setOutlet(std::string name, View* view) {
    outlets_[std::move(name)] = view;
}

View* ViewController::outletView(std::string_view name) const {
    auto found = outlets_.find(name);
    return found == outlets_.end() ? nullptr : found->second;
}

void ViewController::registerViewClass(std::string typeName,
                                       std::function<std::unique_ptr<View>()> make) {
    viewClasses_[std::move(typeName)] = std::move(make);
}

std::unique_ptr<View> ViewController::makeViewOfClass(std::string_view typeName) const {
    auto found = viewClasses_.find(typeName);
    return found == viewClasses_.end() ? nullptr : found->second();
}

Responder* ViewController::nextResponder() const {
    return view_ ? view_->superview() : nullptr;
}

void reportMissingOutlet(const ViewController& screen, const std::string& name) {
    std::cerr << screen.className() << ": the layout has no " << name << "\n";
}
