// Actions by name.
#include "platform/ActionTarget.h"

#include <iostream>
#include <utility>

void ActionTarget::addAction(std::string name, std::function<void()> action) {
    actions_[std::move(name)] = std::move(action);
}

bool ActionTarget::hasAction(std::string_view name) const {
    return actions_.contains(name);
}

bool ActionTarget::sendAction(std::string_view name) {
    auto found = actions_.find(name);
    if (found == actions_.end()) {
        std::cerr << actionTargetName() << ": no action named \"" << name << "\"\n";
        return false;
    }
    // The action may replace itself (addAction) while it runs.
    std::function<void()> action = found->second;
    action();
    return true;
}
