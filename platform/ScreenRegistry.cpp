// The registry of screen factories.
#include "platform/ScreenRegistry.h"

#include <utility>

ScreenRegistry& ScreenRegistry::shared() {
    static ScreenRegistry registry;
    return registry;
}

void ScreenRegistry::add(std::string className, ScreenFactory factory) {
    factories_[std::move(className)] = std::move(factory);
}

bool ScreenRegistry::contains(std::string_view className) const {
    return factories_.contains(className);
}

std::vector<std::string> ScreenRegistry::classNames() const {
    std::vector<std::string> names;
    for (const auto& [name, factory] : factories_) {
        names.push_back(name);
    }
    return names;
}

std::unique_ptr<ViewController> ScreenRegistry::create(std::string_view className,
                                                       const DeviceProfile& profile,
                                                       const std::vector<std::string>& arguments,
                                                       std::string* error) const {
    auto factory = factories_.find(className);
    if (factory == factories_.end()) {
        if (error) {
            *error = "no screen class named \"" + std::string(className) + "\"";
        }
        return nullptr;
    }
    std::unique_ptr<ViewController> screen = factory->second(profile, arguments);
    if (!screen && error) {
        std::string joined;
        for (const std::string& argument : arguments) {
            joined += (joined.empty() ? "" : " ") + argument;
        }
        *error = std::string(className) + " cannot be made from the arguments \"" + joined + "\"";
    }
    return screen;
}
