// Runs scripted sessions (see Script.h) against a window and its navigation stack, and offers
// the same steps to C++ tests. Outlets are looked up in the top screen first, then in the
// screens under it, then by view name anywhere in the window. No virtual time passes during a
// tap, a drag, an action, typing or opening a screen; calls they post to the run loop for "now"
// are run before the step ends.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DeviceProfile.h"
#include "platform/Script.h"

class NavigationController;
class ScreenRegistry;
class View;
class Window;

struct StepResult {
    bool ok = true;
    std::string message;  // what was seen, when the step failed

    static StepResult success() { return {}; }
    static StepResult failure(std::string message) { return {false, std::move(message)}; }
};

class ScriptSession {
public:
    // Writes a PNG of what the window shows to `path`; false with a reason in `error` on failure.
    using ScreenshotHook = std::function<bool(const std::string& path, std::string& error)>;

    ScriptSession(Window& window, NavigationController& navigation, const DeviceProfile& profile,
                  const ScreenRegistry& registry);

    // Lets `seconds` pass; false when the program can go on no longer (its window was closed).
    using WaitHook = std::function<bool(double seconds)>;

    void setScreenshotHook(ScreenshotHook hook) { screenshotHook_ = std::move(hook); }
    // By default a wait runs the main run loop; a window runs its own event loop instead.
    void setWaitHook(WaitHook hook) { waitHook_ = std::move(hook); }
    // Relative screenshot files are written here (the current directory when empty).
    void setScreenshotDirectory(std::string directory) {
        screenshotDirectory_ = std::move(directory);
    }

    StepResult wait(double seconds);
    StepResult tap(const ScriptTarget& target);
    StepResult drag(const ScriptTarget& from, const ScriptTarget& to);
    // A finger that stays down until up() or cancel(); taps and drags meanwhile use another.
    StepResult down(const ScriptTarget& target);
    StepResult up();
    StepResult cancel();
    StepResult action(std::string_view name);
    StepResult type(std::string_view outlet, std::string_view text);
    StepResult expect(std::string_view outlet, std::string_view property,
                      std::string_view expected);
    StepResult expectScreen(std::string_view className);
    StepResult open(std::string_view className, const std::vector<std::string>& arguments);
    StepResult screenshot(std::string_view file);
    // Chooses `row` of the picker's first column as a player's spin would: the delegate hears it.
    StepResult pick(std::string_view outlet, int row);
    StepResult expectAlert(std::string_view title);
    StepResult alertButton(std::string_view title);
    StepResult run(const ScriptStep& step);

    // Runs the steps in order and stops at the first that fails, reporting it on `errors` as
    // "SOURCE:LINE: STEP: what was seen". True when every step held.
    bool run(const std::vector<ScriptStep>& steps, std::ostream& errors,
             std::string_view source = "script");
    // Parses and runs; a script with malformed lines is reported in full and nothing runs.
    bool runText(std::string_view text, std::ostream& errors, std::string_view source = "script");

    // The view an outlet name stands for, or null.
    View* findOutlet(std::string_view name) const;
    // What `expect` compares for a property of a view, or empty with `error` set.
    static std::optional<std::string> propertyText(const View& view, std::string_view property,
                                                   std::string& error);

private:
    // The outlet as a view of type T, or null with `error` saying what stands there instead.
    template <class T>
    T* outletOfKind(std::string_view name, std::string_view kind, std::string& error) const;
    std::optional<Point> locate(const ScriptTarget& target, std::string& error) const;
    void settle();
    // The finger a tap or drag uses: the first one not held down.
    int freeFinger() const { return heldFinger_ ? 1 : 0; }

    Window& window_;
    NavigationController& navigation_;
    DeviceProfile profile_;
    const ScreenRegistry& registry_;
    ScreenshotHook screenshotHook_;
    WaitHook waitHook_;
    std::string screenshotDirectory_;
    // The finger put down by down(), and where.
    std::optional<int> heldFinger_;
    Point heldAt_;
};
