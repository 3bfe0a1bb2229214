// Screens by class name: each screen class registers a factory that makes it for a device
// profile from text arguments ("PlayController" with "handgun" "3"), so that scripts and the
// program's options can open any screen by name.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DeviceProfile.h"
#include "platform/ViewController.h"

// Makes the screen, or returns null when the arguments do not suit it.
using ScreenFactory = std::function<std::unique_ptr<ViewController>(
    const DeviceProfile& profile, const std::vector<std::string>& arguments)>;

// The factory of a screen class that takes no arguments.
template <class Screen>
ScreenFactory screenWithoutArguments() {
    return [](const DeviceProfile&,
              const std::vector<std::string>& arguments) -> std::unique_ptr<ViewController> {
        return arguments.empty() ? std::make_unique<Screen>() : nullptr;
    };
}

class ScreenRegistry {
public:
    // The registry the program's screens register with.
    static ScreenRegistry& shared();

    // Registers (or replaces) the factory of `className`.
    void add(std::string className, ScreenFactory factory);
    bool contains(std::string_view className) const;
    // Registered class names, sorted.
    std::vector<std::string> classNames() const;
    // The new screen; null, with the reason in `error` when given, when the class is unknown or
    // its factory refuses the arguments.
    std::unique_ptr<ViewController> create(std::string_view className, const DeviceProfile& profile,
                                           const std::vector<std::string>& arguments,
                                           std::string* error = nullptr) const;

private:
    std::map<std::string, ScreenFactory, std::less<>> factories_;
};
