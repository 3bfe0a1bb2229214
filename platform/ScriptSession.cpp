// Running script steps against the window and the navigation stack.
#include "platform/ScriptSession.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>

#include "platform/Button.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/PageControl.h"
#include "platform/PickerView.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/ScreenRegistry.h"
#include "platform/ScrollView.h"
#include "platform/Switch.h"
#include "platform/TableView.h"
#include "platform/TextField.h"
#include "platform/Window.h"

namespace {

constexpr int kDragMoves = 5;

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string describeStep(const ScriptStep& step) {
    switch (step.kind) {
        case ScriptStepKind::Wait:
            return "wait";
        case ScriptStepKind::Tap:
            return "tap";
        case ScriptStepKind::Drag:
            return "drag";
        case ScriptStepKind::Down:
            return "down";
        case ScriptStepKind::Up:
            return "up";
        case ScriptStepKind::Cancel:
            return "cancel";
        case ScriptStepKind::Action:
            return "action " + step.name;
        case ScriptStepKind::Type:
            return "type " + step.name;
        case ScriptStepKind::Expect:
            return "expect " + step.name + "." + step.property;
        case ScriptStepKind::ExpectScreen:
            return "expect-screen";
        case ScriptStepKind::Open:
            return "open " + step.name;
        case ScriptStepKind::Screenshot:
            return "screenshot";
        case ScriptStepKind::Pick:
            return "pick " + step.name;
        case ScriptStepKind::ExpectAlert:
            return "expect-alert";
        case ScriptStepKind::AlertButton:
            return "alert-button";
    }
    return "step";
}

}  // namespace

ScriptSession::ScriptSession(Window& window, NavigationController& navigation,
                             const DeviceProfile& profile, const ScreenRegistry& registry)
    : window_(window), navigation_(navigation), profile_(profile), registry_(registry) {}

View* ScriptSession::findOutlet(std::string_view name) const {
    // TABLE/ROW/NAME: the view called NAME in the cell that row ROW of the table view outlet
    // TABLE shows now (rows count through all sections, from 0), since the cells a table
    // reuses all carry the same names.
    const size_t slash = name.find('/');
    if (slash != std::string_view::npos) {
        const size_t second = name.find('/', slash + 1);
        auto* table = dynamic_cast<TableView*>(findOutlet(name.substr(0, slash)));
        if (!table || second == std::string_view::npos) {
            return nullptr;
        }
        const std::string_view rowText = name.substr(slash + 1, second - slash - 1);
        int row = -1;
        const auto [end, error] =
            std::from_chars(rowText.data(), rowText.data() + rowText.size(), row);
        if (error != std::errc() || end != rowText.data() + rowText.size() || row < 0 ||
            row >= table->numberOfRows()) {
            return nullptr;
        }
        std::optional<IndexPath> indexPath;
        for (int section = 0, first = 0; section < table->numberOfSections(); ++section) {
            const int rows = table->numberOfRowsInSection(section);
            if (row < first + rows) {
                indexPath = IndexPath{section, row - first};
                break;
            }
            first += rows;
        }
        TableViewCell* cell = indexPath ? table->cellForRowAtIndexPath(*indexPath) : nullptr;
        return cell ? cell->findViewNamed(name.substr(second + 1)) : nullptr;
    }
    std::vector<ViewController*> screens = navigation_.viewControllers();
    for (auto screen = screens.rbegin(); screen != screens.rend(); ++screen) {
        if (View* view = (*screen)->outletView(name)) {
            return view;
        }
    }
    return window_.rootView().findViewNamed(name);
}

template <class T>
T* ScriptSession::outletOfKind(std::string_view name, std::string_view kind,
                               std::string& error) const {
    View* view = findOutlet(name);
    auto* typed = dynamic_cast<T*>(view);
    if (!typed) {
        error = view ? inQuotes(name) + " is a " + std::string(view->typeName()) + ", not " +
                           std::string(kind)
                     : "no outlet named " + inQuotes(name);
    }
    return typed;
}

std::optional<Point> ScriptSession::locate(const ScriptTarget& target, std::string& error) const {
    if (target.point) {
        return target.point;
    }
    View* view = findOutlet(target.outlet);
    if (!view) {
        error = "no outlet named " + inQuotes(target.outlet);
        return std::nullopt;
    }
    if (view->window() != &window_) {
        error = inQuotes(target.outlet) + " is not on screen";
        return std::nullopt;
    }
    const Rect bounds = view->bounds();
    return view->convertPointToWindow(bounds.center());
}

void ScriptSession::settle() {
    RunLoop::main().runDueTimers();
}

StepResult ScriptSession::wait(double seconds) {
    if (!waitHook_) {
        RunLoop::main().runFor(seconds);
    } else if (!waitHook_(seconds)) {
        return StepResult::failure("the window was closed");
    }
    return StepResult::success();
}

StepResult ScriptSession::tap(const ScriptTarget& target) {
    // A movie showing full screen covers everything: a tap anywhere is its Done control.
    if (MoviePlayer* movie = Platform::current().services().fullScreenMovie()) {
        movie->leaveFullScreen();
        settle();
        return StepResult::success();
    }
    std::string error;
    std::optional<Point> point = locate(target, error);
    if (!point) {
        return StepResult::failure(error);
    }
    window_.touchDown(*point, freeFinger());
    window_.touchUp(*point, freeFinger());
    settle();
    return StepResult::success();
}

StepResult ScriptSession::down(const ScriptTarget& target) {
    if (heldFinger_) {
        return StepResult::failure("a finger is already down (lift it with up or cancel)");
    }
    std::string error;
    std::optional<Point> point = locate(target, error);
    if (!point) {
        return StepResult::failure(error);
    }
    heldFinger_ = 0;
    heldAt_ = *point;
    window_.touchDown(*point, *heldFinger_);
    settle();
    return StepResult::success();
}

StepResult ScriptSession::up() {
    if (!heldFinger_) {
        return StepResult::failure("no finger is down");
    }
    window_.touchUp(heldAt_, *heldFinger_);
    heldFinger_.reset();
    settle();
    return StepResult::success();
}

StepResult ScriptSession::cancel() {
    if (!heldFinger_) {
        return StepResult::failure("no finger is down");
    }
    window_.touchCancel(*heldFinger_);
    heldFinger_.reset();
    settle();
    return StepResult::success();
}

StepResult ScriptSession::drag(const ScriptTarget& from, const ScriptTarget& to) {
    std::string error;
    std::optional<Point> start = locate(from, error);
    std::optional<Point> end = start ? locate(to, error) : std::nullopt;
    if (!start || !end) {
        return StepResult::failure(error);
    }
    const int finger = freeFinger();
    window_.touchDown(*start, finger);
    for (int i = 1; i <= kDragMoves; ++i) {
        const double part = static_cast<double>(i) / kDragMoves;
        window_.touchMove(
            {start->x + (end->x - start->x) * part, start->y + (end->y - start->y) * part}, finger);
    }
    window_.touchUp(*end, finger);
    settle();
    return StepResult::success();
}

StepResult ScriptSession::action(std::string_view name) {
    ViewController* top = navigation_.topViewController();
    if (!top || !top->hasAction(name)) {
        return StepResult::failure("the top screen (" + (top ? top->className() : "none") +
                                   ") has no action " + inQuotes(name));
    }
    top->sendAction(name);
    settle();
    return StepResult::success();
}

StepResult ScriptSession::type(std::string_view outlet, std::string_view text) {
    std::string error;
    auto* field = outletOfKind<TextField>(outlet, "a text field", error);
    if (!field) {
        return StepResult::failure(error);
    }
    field->setText(std::string(text));
    settle();
    return StepResult::success();
}

std::optional<std::string> ScriptSession::propertyText(const View& view, std::string_view property,
                                                       std::string& error) {
    if (property == "hidden") {
        return view.isHidden() ? "true" : "false";
    }
    if (property == "frame") {
        return formatFrame(view.frame());
    }
    if (property == "contentOffset") {
        if (auto* scroll = dynamic_cast<const ScrollView*>(&view)) {
            return formatPoint(scroll->contentOffset());
        }
    } else if (property == "page") {
        if (auto* scroll = dynamic_cast<const ScrollView*>(&view)) {
            return std::to_string(scroll->currentPage());
        }
        if (auto* pages = dynamic_cast<const PageControl*>(&view)) {
            return std::to_string(pages->currentPage());
        }
    } else if (property == "text") {
        if (auto* label = dynamic_cast<const Label*>(&view)) {
            return label->text();
        }
        if (auto* button = dynamic_cast<const Button*>(&view)) {
            return button->title();
        }
        if (auto* field = dynamic_cast<const TextField*>(&view)) {
            return field->text();
        }
    } else if (property == "textColor") {
        if (auto* label = dynamic_cast<const Label*>(&view)) {
            return formatColor(label->textColor());
        }
        if (auto* button = dynamic_cast<const Button*>(&view)) {
            return formatColor(button->titleColor());
        }
    } else if (property == "on") {
        if (auto* toggle = dynamic_cast<const Switch*>(&view)) {
            return toggle->isOn() ? "true" : "false";
        }
    } else if (property == "image") {
        if (auto* image = dynamic_cast<const ImageView*>(&view)) {
            return image->image();
        }
        if (auto* button = dynamic_cast<const Button*>(&view)) {
            return button->image();
        }
    } else {
        error = "unknown property " + inQuotes(property);
        return std::nullopt;
    }
    error = "a " + std::string(view.typeName()) + " has no " + std::string(property);
    return std::nullopt;
}

StepResult ScriptSession::expect(std::string_view outlet, std::string_view property,
                                 std::string_view expected) {
    View* view = findOutlet(outlet);
    if (!view) {
        return StepResult::failure("no outlet named " + inQuotes(outlet));
    }
    std::string error;
    std::optional<std::string> seen = propertyText(*view, property, error);
    if (!seen) {
        return StepResult::failure(inQuotes(outlet) + ": " + error);
    }
    if (*seen != expected) {
        return StepResult::failure("expected " + inQuotes(expected) + ", saw " + inQuotes(*seen));
    }
    return StepResult::success();
}

StepResult ScriptSession::expectScreen(std::string_view className) {
    ViewController* top = navigation_.topViewController();
    const std::string seen = top ? top->className() : "no screen";
    if (seen != className) {
        return StepResult::failure("expected screen " + std::string(className) + ", saw " + seen);
    }
    return StepResult::success();
}

StepResult ScriptSession::open(std::string_view className,
                               const std::vector<std::string>& arguments) {
    std::string error;
    std::unique_ptr<ViewController> screen =
        registry_.create(className, profile_, arguments, &error);
    if (!screen) {
        return StepResult::failure(error);
    }
    navigation_.pushViewController(std::move(screen), false);
    settle();
    return StepResult::success();
}

StepResult ScriptSession::screenshot(std::string_view file) {
    if (!screenshotHook_) {
        return StepResult::failure("no screenshot backend is installed in this run");
    }
    std::filesystem::path path(file);
    if (path.is_relative() && !screenshotDirectory_.empty()) {
        path = std::filesystem::path(screenshotDirectory_) / path;
    }
    std::string error;
    if (!screenshotHook_(path.string(), error)) {
        return StepResult::failure("cannot write " + path.string() + ": " + error);
    }
    return StepResult::success();
}

StepResult ScriptSession::pick(std::string_view outlet, int row) {
    std::string error;
    auto* picker = outletOfKind<PickerView>(outlet, "a picker", error);
    if (!picker) {
        return StepResult::failure(error);
    }
    if (!picker->spinToRow(row, 0)) {
        return StepResult::failure(inQuotes(outlet) + " has " +
                                   std::to_string(picker->numberOfRowsInComponent(0)) +
                                   " rows, no row " + std::to_string(row));
    }
    settle();
    return StepResult::success();
}

namespace {
std::string describeAlert(const AlertView* alert) {
    return alert ? "the alert " + inQuotes(alert->title()) : std::string("no alert");
}
}  // namespace

StepResult ScriptSession::expectAlert(std::string_view title) {
    std::shared_ptr<AlertView> alert = Platform::current().visibleAlert();
    if (!alert || alert->title() != title) {
        return StepResult::failure("expected the alert " + inQuotes(title) + ", saw " +
                                   describeAlert(alert.get()));
    }
    return StepResult::success();
}

StepResult ScriptSession::alertButton(std::string_view title) {
    std::shared_ptr<AlertView> alert = Platform::current().visibleAlert();
    if (!alert) {
        return StepResult::failure("no alert is showing");
    }
    const std::vector<std::string>& buttons = alert->buttonTitles();
    const auto button = std::find(buttons.begin(), buttons.end(), title);
    if (button == buttons.end()) {
        std::string seen;
        for (const std::string& name : buttons) {
            seen += (seen.empty() ? "" : ", ") + inQuotes(name);
        }
        return StepResult::failure(describeAlert(alert.get()) + " has no button " +
                                   inQuotes(title) + " (its buttons: " + seen + ")");
    }
    alert->dismiss(static_cast<int>(button - buttons.begin()));
    settle();
    return StepResult::success();
}

StepResult ScriptSession::run(const ScriptStep& step) {
    switch (step.kind) {
        case ScriptStepKind::Wait:
            return wait(step.seconds);
        case ScriptStepKind::Tap:
            return tap(step.targets.at(0));
        case ScriptStepKind::Drag:
            return drag(step.targets.at(0), step.targets.at(1));
        case ScriptStepKind::Down:
            return down(step.targets.at(0));
        case ScriptStepKind::Up:
            return up();
        case ScriptStepKind::Cancel:
            return cancel();
        case ScriptStepKind::Action:
            return action(step.name);
        case ScriptStepKind::Type:
            return type(step.name, step.text);
        case ScriptStepKind::Expect:
            return expect(step.name, step.property, step.text);
        case ScriptStepKind::ExpectScreen:
            return expectScreen(step.name);
        case ScriptStepKind::Open:
            return open(step.name, step.arguments);
        case ScriptStepKind::Screenshot:
            return screenshot(step.name);
        case ScriptStepKind::Pick:
            return pick(step.name, step.row);
        case ScriptStepKind::ExpectAlert:
            return expectAlert(step.text);
        case ScriptStepKind::AlertButton:
            return alertButton(step.text);
    }
    return StepResult::failure("unknown step");
}

bool ScriptSession::run(const std::vector<ScriptStep>& steps, std::ostream& errors,
                        std::string_view source) {
    for (const ScriptStep& step : steps) {
        StepResult result = run(step);
        if (!result.ok) {
            errors << source << ":" << step.line << ": " << describeStep(step) << ": "
                   << result.message << "\n";
            return false;
        }
    }
    return true;
}

bool ScriptSession::runText(std::string_view text, std::ostream& errors, std::string_view source) {
    ParsedScript script = parseScript(text);
    for (const std::string& error : script.errors) {
        errors << source << ": " << error << "\n";
    }
    return script.ok() && run(script.steps, errors, source);
}
