// Something a control sends its action to, by name: a screen, or a view of a layout that has
// actions of its own (a two-face view's return control turns the view, not the screen).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

class ActionTarget {
public:
    virtual ~ActionTarget() = default;

    void addAction(std::string name, std::function<void()> action);
    bool hasAction(std::string_view name) const;
    // Runs the action; false, with a line on standard error, when there is none by that name.
    bool sendAction(std::string_view name);

protected:
    // Names the target in the line about a missing action.
    virtual std::string actionTargetName() const = 0;

private:
    std::map<std::string, std::function<void()>, std::less<>> actions_;
};
