// Scripted sessions: parsing (errors with line numbers, found before anything runs) and running
// (taps, drags, actions, typing, expectations, opening screens, screenshots, stopping at the
// first failing step).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/Button.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/LayoutLoader.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/ScreenRegistry.h"
#include "platform/ScriptSession.h"
#include "platform/Switch.h"
#include "platform/TextField.h"
#include "platform/Window.h"

namespace {

TEST(ScriptParserTest, ParsesEveryStepForm) {
    const ParsedScript script = parseScript(
        "# a comment\n"
        "\n"
        "wait 1.5\n"
        "tap startButton\n"
        "tap 10,20.5\n"
        "drag part2 240,160\n"
        "action backClick\n"
        "type loginField  john smith \n"
        "expect pointsLabel.text = 1.00 sec.\n"
        "expect panel.frame = 10, 20.0,300,  200\n"
        "expect image.image =\n"
        "expect-screen PlayController\n"
        "open PlayController handgun 3\n"
        "screenshot shots/menu.png\r\n");
    ASSERT_TRUE(script.ok()) << script.errors.front();
    ASSERT_EQ(script.steps.size(), 12u);
    EXPECT_EQ(script.steps[0].line, 3);
    EXPECT_EQ(script.steps[0].seconds, 1.5);
    EXPECT_EQ(script.steps[1].targets[0].outlet, "startButton");
    EXPECT_EQ(script.steps[2].targets[0].point, (Point{10, 20.5}));
    EXPECT_EQ(script.steps[3].targets[0].outlet, "part2");
    EXPECT_EQ(script.steps[3].targets[1].point, (Point{240, 160}));
    EXPECT_EQ(script.steps[4].name, "backClick");
    EXPECT_EQ(script.steps[5].name, "loginField");
    EXPECT_EQ(script.steps[5].text, "john smith");
    EXPECT_EQ(script.steps[6].name, "pointsLabel");
    EXPECT_EQ(script.steps[6].property, "text");
    EXPECT_EQ(script.steps[6].text, "1.00 sec.");
    EXPECT_EQ(script.steps[7].text, "10,20,300,200");  // frames are compared in canonical form
    EXPECT_EQ(script.steps[8].text, "");
    EXPECT_EQ(script.steps[9].kind, ScriptStepKind::ExpectScreen);
    EXPECT_EQ(script.steps[10].arguments, (std::vector<std::string>{"handgun", "3"}));
    EXPECT_EQ(script.steps[11].name, "shots/menu.png");
    EXPECT_EQ(script.steps[11].line, 14);
}

TEST(ScriptParserTest, ReportsEveryMalformedLineWithItsNumber) {
    const ParsedScript script = parseScript(
        "wait\n"
        "wait soon\n"
        "wait -1\n"
        "tap 10,x\n"
        "tap a b\n"
        "drag a\n"
        "expect label = x\n"
        "expect label.colour = red\n"
        "expect sw.on = yes\n"
        "expect panel.frame = 1,2,3\n"
        "jump 3\n"
        "open\n"
        "screenshot\n"
        "action\n"
        "wait 2\n");
    ASSERT_EQ(script.errors.size(), 14u);
    for (size_t i = 0; i < script.errors.size(); ++i) {
        EXPECT_TRUE(script.errors[i].starts_with("line " + std::to_string(i + 1) + ": "))
            << script.errors[i];
    }
    EXPECT_NE(script.errors[10].find("unknown step \"jump\""), std::string::npos);
    EXPECT_NE(script.errors[7].find("unknown property \"colour\""), std::string::npos);
    EXPECT_EQ(script.steps.size(), 1u);
}

class CounterScreen : public ViewController {
public:
    CounterScreen(const DeviceProfile& profile, int start)
        : ViewController(profile, ""), count_(start) {
        addAction("increment", [this] { show(++count_); });
        addAction("back", [this] { navigationController()->popViewControllerAnimated(true); });
    }

    void viewDidLoad() override {
        auto label = std::make_unique<Label>();
        label->setFrame({10, 10, 100, 20});
        setOutlet("countLabel", label.get());
        countLabel_ = &view().addSubview(std::move(label));
        show(count_);

        auto button = std::make_unique<Button>();
        button->setFrame({200, 200, 80, 40});
        button->setAction(this, "increment");
        setOutlet("plusButton", button.get());
        view().addSubview(std::move(button));

        auto field = std::make_unique<TextField>();
        field->setFrame({10, 100, 100, 20});
        setOutlet("nameField", field.get());
        view().addSubview(std::move(field));

        auto part = std::make_unique<DraggablePart>();
        part->setFrame({300, 20, 40, 40});
        setOutlet("part", part.get());
        view().addSubview(std::move(part));
    }

private:
    // Follows the finger, centred on it.
    class DraggablePart : public ImageView {
    public:
        DraggablePart() { setUserInteractionEnabled(true); }
        void touchesMoved(const TouchSet& touches, const TouchEvent&) override {
            setCenter(touches.front()->locationInView(superview()));
        }
    };

    void show(int count) { countLabel_->setText(std::to_string(count)); }

    int count_;
    Label* countLabel_ = nullptr;
};

class ScriptSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        registry.add(
            "CounterScreen",
            [](const DeviceProfile& profile,
               const std::vector<std::string>& arguments) -> std::unique_ptr<ViewController> {
                if (arguments.size() != 1) {
                    return nullptr;
                }
                return std::make_unique<CounterScreen>(profile, std::stoi(arguments[0]));
            });
        window.setRootViewController(navigation);
    }

    bool run(const std::string& text) {
        errors.str("");
        return session.runText(text, errors, "test.script");
    }

    ScreenRegistry registry;
    Window window{DeviceProfile::phone().screenSize()};
    NavigationController navigation{DeviceProfile::phone(),
                                    std::make_unique<CounterScreen>(DeviceProfile::phone(), 0)};
    ScriptSession session{window, navigation, DeviceProfile::phone(), registry};
    std::ostringstream errors;
};

TEST_F(ScriptSessionTest, TapsActionsTypingAndExpectations) {
    EXPECT_TRUE(
        run("open CounterScreen 5\n"
            "expect-screen CounterScreen\n"
            "expect countLabel.text = 5\n"
            "tap plusButton\n"
            "tap 210,210\n"
            "action increment\n"
            "expect countLabel.text = 8\n"
            "type nameField Jan Kowalski\n"
            "expect nameField.text = Jan Kowalski\n"
            "expect countLabel.hidden = false\n"
            "expect countLabel.frame = 10,10,100,20\n"
            "expect part.image =\n"
            "drag part 100,150\n"
            "expect part.frame = 80,130,40,40\n"))
        << errors.str();
    EXPECT_EQ(navigation.viewControllers().size(), 2u);
}

TEST_F(ScriptSessionTest, StopsAtTheFirstFailingStepAndNamesItsLine) {
    EXPECT_FALSE(
        run("open CounterScreen 1\n"
            "\n"
            "expect countLabel.text = 2\n"
            "action increment\n"));
    EXPECT_EQ(errors.str(), "test.script:3: expect countLabel.text: expected \"2\", saw \"1\"\n");
    // The step after the failure did not run.
    EXPECT_EQ(session.expect("countLabel", "text", "1").ok, true);
}

TEST_F(ScriptSessionTest, FailuresSayWhatWasSeen) {
    session.open("CounterScreen", {"1"});
    EXPECT_EQ(session.expect("nothing", "text", "x").message, "no outlet named \"nothing\"");
    EXPECT_EQ(session.expect("plusButton", "on", "true").message,
              "\"plusButton\": a Button has no on");
    EXPECT_EQ(session.tap("nothing").message, "no outlet named \"nothing\"");
    EXPECT_EQ(session.action("fly").message,
              "the top screen (CounterScreen) has no action \"fly\"");
    EXPECT_EQ(session.type("countLabel", "x").message,
              "\"countLabel\" is a Label, not a text field");
    EXPECT_EQ(session.expectScreen("Menu").message, "expected screen Menu, saw CounterScreen");
    EXPECT_EQ(session.open("Nope", {}).message, "no screen class named \"Nope\"");
    EXPECT_EQ(session.open("CounterScreen", {}).message,
              "CounterScreen cannot be made from the arguments \"\"");
    EXPECT_EQ(session.screenshot("a.png").message,
              "no screenshot backend is installed in this run");
}

TEST_F(ScriptSessionTest, OutletsOfTheTopScreenComeFirst) {
    session.open("CounterScreen", {"10"});
    EXPECT_TRUE(session.expect("countLabel", "text", "10").ok);
    session.action("back");
    RunLoop::main().runDueTimers();
    EXPECT_TRUE(session.expect("countLabel", "text", "0").ok);
}

TEST_F(ScriptSessionTest, MalformedScriptRunsNothing) {
    EXPECT_FALSE(
        run("open CounterScreen 3\n"
            "bogus\n"
            "tap\n"));
    EXPECT_EQ(errors.str(),
              "test.script: line 2: unknown step \"bogus\"\n"
              "test.script: line 3: expected \"tap OUTLET|X,Y\"\n");
    EXPECT_EQ(navigation.viewControllers().size(), 1u);
}

TEST_F(ScriptSessionTest, WaitRunsTimersOnVirtualTime) {
    int ticks = 0;
    RunLoop::main().scheduleTimer(0.01, true, [&] { ++ticks; });
    EXPECT_TRUE(run("wait 1\nwait 0.5\n"));
    EXPECT_EQ(ticks, 150);
    EXPECT_DOUBLE_EQ(RunLoop::main().now(), 1.5);
}

TEST_F(ScriptSessionTest, ScreenshotsGoThroughTheHookIntoTheScreenshotDirectory) {
    std::vector<std::string> paths;
    session.setScreenshotDirectory("/tmp/shots");
    session.setScreenshotHook([&](const std::string& path, std::string& error) {
        paths.push_back(path);
        error = "disk full";
        return paths.size() == 1;
    });
    EXPECT_TRUE(session.screenshot("menu.png").ok);
    EXPECT_TRUE(!session.screenshot("/abs/menu.png").ok);
    EXPECT_EQ(paths, (std::vector<std::string>{"/tmp/shots/menu.png", "/abs/menu.png"}));
    EXPECT_EQ(session.screenshot("x.png").message, "cannot write /tmp/shots/x.png: disk full");
}

}  // namespace

namespace {

TEST(ScriptParserTest, FingersHeldDownAndScrollViewProperties) {
    const ParsedScript script = parseScript(
        "down trigger\n"
        "down 10,20\n"
        "up\n"
        "cancel\n"
        "expect list.contentOffset = 960 , 0.0\n"
        "expect list.page = 4\n"
        "up now\n"
        "down\n"
        "expect list.contentOffset = 1\n"
        "expect list.page = 1.5\n");
    ASSERT_EQ(script.steps.size(), 6u);
    EXPECT_EQ(script.steps[0].kind, ScriptStepKind::Down);
    EXPECT_EQ(script.steps[0].targets[0].outlet, "trigger");
    EXPECT_EQ(script.steps[1].targets[0].point, (Point{10, 20}));
    EXPECT_EQ(script.steps[2].kind, ScriptStepKind::Up);
    EXPECT_EQ(script.steps[3].kind, ScriptStepKind::Cancel);
    EXPECT_EQ(script.steps[4].text, "960,0");
    EXPECT_EQ(script.steps[5].text, "4");
    ASSERT_EQ(script.errors.size(), 4u);
    EXPECT_TRUE(script.errors[0].starts_with("line 7: ")) << script.errors[0];
    EXPECT_TRUE(script.errors[3].starts_with("line 10: ")) << script.errors[3];
}

// A paged list of three 200-point pages with a button on the first, and a page indicator, all
// from a layout.
class PagedScreen : public ViewController {
public:
    explicit PagedScreen(const DeviceProfile& profile) : ViewController(profile, "") {
        addAction("press", [this] { ++presses; });
        addAction("pageTurned", [this] { ++turns; });
    }
    void viewDidLoad() override {
        loadLayoutText(R"({"widgets": [
            {"type": "ScrollView", "outlet": "pages", "frame": [0, 0, 200, 100],
             "contentSize": [600, 100], "paging": true, "contentOffset": [200, 0],
             "children": [
                {"type": "Button", "outlet": "pageButton", "frame": [250, 20, 50, 50],
                 "action": "press"}]},
            {"type": "PageControl", "outlet": "dots", "frame": [0, 100, 200, 20],
             "numberOfPages": 3, "currentPage": 1, "action": "pageTurned"},
            {"type": "Button", "outlet": "trigger", "frame": [300, 200, 50, 50], "action": "press"}
        ]})",
                       "PagedScreen", *this, view());
    }
    int presses = 0;
    int turns = 0;
};

TEST_F(ScriptSessionTest, HeldFingersAndScrollViewsFromLayouts) {
    registry.add("PagedScreen",
                 [](const DeviceProfile& profile,
                    const std::vector<std::string>&) -> std::unique_ptr<ViewController> {
                     return std::make_unique<PagedScreen>(profile);
                 });
    ASSERT_TRUE(
        run("open PagedScreen\n"
            "expect pages.contentOffset = 200,0\n"
            "expect pages.page = 1\n"
            "expect dots.page = 1\n"
            "tap pageButton\n"
            "drag 150,50 30,50\n"
            "wait 1\n"
            "expect pages.contentOffset = 400,0\n"
            "expect pages.page = 2\n"
            "tap 190,110\n"
            "expect dots.page = 2\n"
            "down trigger\n"
            "tap 190,110\n"
            "wait 0.5\n"
            "up\n"
            "down trigger\n"
            "cancel\n"))
        << errors.str();
    auto* screen = dynamic_cast<PagedScreen*>(navigation.topViewController());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->presses, 2);  // the page's button, then the held trigger once lifted
    EXPECT_EQ(screen->turns, 1);    // the second dot tap was at the last page already
    EXPECT_EQ(window.activeTouchCount(), 0u);

    EXPECT_EQ(session.up().message, "no finger is down");
    EXPECT_TRUE(session.down("trigger").ok);
    EXPECT_EQ(session.down("trigger").message,
              "a finger is already down (lift it with up or cancel)");
    EXPECT_EQ(session.expect("trigger", "contentOffset", "0,0").message,
              "\"trigger\": a Button has no contentOffset");
}

TEST(ScriptParserTest, AlertStepsAndTextColours) {
    const ParsedScript script = parseScript(
        "expect-alert Database\n"
        "alert-button  YES \n"
        "expect messageLabel.textColor = #ff00A0\n"
        "expect-alert\n"
        "alert-button\n"
        "expect messageLabel.textColor = red\n"
        "expect messageLabel.textColor = #FF00A\n"
        "expect messageLabel.textColor = #GG0000\n");
    ASSERT_EQ(script.steps.size(), 3u);
    EXPECT_EQ(script.steps[0].kind, ScriptStepKind::ExpectAlert);
    EXPECT_EQ(script.steps[0].text, "Database");
    EXPECT_EQ(script.steps[1].kind, ScriptStepKind::AlertButton);
    EXPECT_EQ(script.steps[1].text, "YES");
    EXPECT_EQ(script.steps[2].text, "#FF00A0");  // compared in upper case
    ASSERT_EQ(script.errors.size(), 5u);
    EXPECT_TRUE(script.errors[0].starts_with("line 4: ")) << script.errors[0];
    EXPECT_TRUE(script.errors[4].starts_with("line 8: ")) << script.errors[4];
}

TEST(ScriptColorTest, ComponentsRoundToTheNearestByte) {
    EXPECT_EQ(formatColor({1, 0, 0, 1}), "#FF0000");
    EXPECT_EQ(formatColor({0.5, 0.25, 1.0 / 255, 0.3}), "#804001");
    EXPECT_EQ(formatColor({-1, 2, 0.999, 1}), "#00FFFF");
}

TEST_F(ScriptSessionTest, AlertsAreSeenAndAnsweredByTitle) {
    std::vector<int> pressed;
    EXPECT_EQ(session.expectAlert("Database").message,
              "expected the alert \"Database\", saw no alert");
    EXPECT_EQ(session.alertButton("OK").message, "no alert is showing");
    AlertView::show("Info", "first", {"OK"}, [&](int index) { pressed.push_back(10 + index); });
    AlertView::show("Database", "Do You want to download a database of Your current scores?",
                    {"YES", "NO"}, [&](int index) { pressed.push_back(index); });
    EXPECT_TRUE(
        run("expect-alert Database\n"
            "alert-button NO\n"
            "expect-alert Info\n"))
        << errors.str();
    EXPECT_EQ(pressed, (std::vector<int>{1}));
    EXPECT_EQ(session.expectAlert("Database").message,
              "expected the alert \"Database\", saw the alert \"Info\"");
    EXPECT_EQ(session.alertButton("YES").message,
              "the alert \"Info\" has no button \"YES\" (its buttons: \"OK\")");
    EXPECT_TRUE(session.alertButton("OK").ok);
    EXPECT_EQ(pressed, (std::vector<int>{1, 10}));
    EXPECT_EQ(Platform::current().visibleAlert(), nullptr);
}

TEST_F(ScriptSessionTest, TextColoursOfLabelsAndButtons) {
    session.open("CounterScreen", {"1"});
    auto* label = navigation.topViewController()->outlet<Label>("countLabel");
    ASSERT_NE(label, nullptr);
    label->setTextColor({1, 0, 0, 1});
    EXPECT_TRUE(run("expect countLabel.textColor = #ff0000\n")) << errors.str();
    label->setTextColor(Color::black());
    EXPECT_EQ(session.expect("countLabel", "textColor", "#FF0000").message,
              "expected \"#FF0000\", saw \"#000000\"");
    auto* button = navigation.topViewController()->outlet<Button>("plusButton");
    button->setTitleColor({0, 0, 1, 1});
    EXPECT_TRUE(session.expect("plusButton", "textColor", "#0000FF").ok);
    EXPECT_EQ(session.expect("nameField", "textColor", "#000000").message,
              "\"nameField\": a TextField has no textColor");
}

}  // namespace
