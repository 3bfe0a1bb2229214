// Loading screens from per-profile JSON layouts: widgets, outlets, actions, nesting, pictures,
// and the reports of missing files and malformed entries.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestResources.h"
#include "platform/ActionTarget.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/Button.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/LayoutLoader.h"
#include "platform/Platform.h"
#include "platform/Switch.h"
#include "platform/TextField.h"
#include "platform/ViewController.h"
#include "platform/Window.h"

namespace {

class MenuScreen : public ViewController {
public:
    explicit MenuScreen(const DeviceProfile& profile) : ViewController(profile, "MenuScreen") {
        addAction("game", [this] { ++games; });
    }
    int games = 0;
};

const char* kPhoneLayout = R"({
  "background": "#102030",
  "widgets": [
    { "type": "ImageView", "outlet": "logo", "image": "logo.png" },
    { "type": "ImageView", "outlet": "missingPicture", "frame": [0, 0, 10, 10], "image": "nothere.png" },
    { "type": "Button", "outlet": "gameButton", "frame": [100, 100, 120, 40], "title": "Play",
      "image": "logo.png", "highlightedImage": "nothere.png", "action": "game" },
    { "type": "View", "outlet": "settingsView", "frame": [90, 330, 300, 200], "hidden": true,
      "children": [
        { "type": "Switch", "outlet": "musicSwitch", "frame": [20, 20, 80, 30], "on": true },
        { "type": "Label", "outlet": "title", "frame": [0, 60, 300, 20], "text": "Music",
          "font": "DejaVuSans-Bold", "fontSize": 12, "alignment": "center", "textColor": "#FF000080" }
      ] },
    { "type": "TextField", "outlet": "loginField", "frame": [0, 0, 100, 20], "placeholder": "login", "secure": true },
    { "type": "ActivityIndicatorView", "outlet": "indicator", "frame": [0, 0, 20, 20], "animating": true }
  ]
})";

class LayoutLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::installHeadless(); }
    TestResources resources;
};

TEST_F(LayoutLoaderTest, BuildsWidgetsConnectsOutletsAndActions) {
    resources.writePicture("logo.png", 64, 32);
    resources.writeFile("iPhone/MenuScreen.json", kPhoneLayout);
    MenuScreen screen(DeviceProfile::phone());
    testing::internal::CaptureStderr();
    View& root = screen.view();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    EXPECT_EQ(root.backgroundColor(), (Color{0x10 / 255.0, 0x20 / 255.0, 0x30 / 255.0, 1}));
    auto* logo = screen.outlet<ImageView>("logo");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->frame(), (Rect{0, 0, 64, 32}));  // natural size when no frame is given
    EXPECT_EQ(logo->image(), "logo.png");
    EXPECT_EQ(screen.outlet<ImageView>("missingPicture")->image(), "");
    EXPECT_EQ(screen.outlet<ImageView>("missingPicture")->imageSize(), (Size{0, 0}));

    auto* button = screen.outlet<Button>("gameButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->title(), "Play");
    EXPECT_EQ(button->highlightedImage(), "");
    EXPECT_EQ(screen.outlet<Label>("gameButton"), nullptr);  // outlets are typed

    auto* settings = screen.outletView("settingsView");
    auto* music = screen.outlet<Switch>("musicSwitch");
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(music->superview(), settings);
    EXPECT_TRUE(settings->isHidden());
    EXPECT_TRUE(music->isOn());
    auto* title = screen.outlet<Label>("title");
    EXPECT_EQ(title->text(), "Music");
    EXPECT_EQ(title->fontName(), "DejaVuSans-Bold");
    EXPECT_EQ(title->fontSize(), 12);
    EXPECT_EQ(title->alignment(), TextAlignment::Center);
    EXPECT_NEAR(title->textColor().alpha, 128 / 255.0, 1e-9);
    EXPECT_TRUE(screen.outlet<TextField>("loginField")->isSecureTextEntry());
    EXPECT_TRUE(screen.outlet<ActivityIndicatorView>("indicator")->isAnimating());

    // The button's action reaches the screen through a real tap.
    Window window(DeviceProfile::phone().screenSize());
    window.setRootViewController(screen);
    window.touchDown({110, 110});
    window.touchUp({110, 110});
    EXPECT_EQ(screen.games, 1);
}

TEST_F(LayoutLoaderTest, TabletLoadsTheIpadFileAndPhoneTheIphoneFile) {
    resources.writeFile("iPhone/MenuScreen.json",
                        R"({"widgets": [{"type": "Label", "outlet": "which", "text": "phone"}]})");
    resources.writeFile("iPad/MenuScreen_ipad.json",
                        R"({"widgets": [{"type": "Label", "outlet": "which", "text": "tablet"}]})");
    MenuScreen tablet(DeviceProfile::tablet());
    EXPECT_EQ(tablet.view().frame(), (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(tablet.outlet<Label>("which")->text(), "tablet");
    MenuScreen phone(DeviceProfile::phone());
    EXPECT_EQ(phone.outlet<Label>("which"), nullptr);  // not loaded before the view is used
    phone.view();
    EXPECT_EQ(phone.outlet<Label>("which")->text(), "phone");
}

TEST(DeviceProfileTest, LayoutResourcesAndNames) {
    EXPECT_EQ(DeviceProfile::phone().layoutResource("PlayController"),
              "iPhone/PlayController.json");
    EXPECT_EQ(DeviceProfile::tablet().layoutResource("PlayController"),
              "iPad/PlayController_ipad.json");
    // A tablet class named with its suffix is not suffixed twice.
    EXPECT_EQ(DeviceProfile::tablet().layoutResource("PlayController_ipad"),
              "iPad/PlayController_ipad.json");
    EXPECT_EQ(DeviceProfile::named("tablet"), DeviceProfile::tablet());
    EXPECT_FALSE(DeviceProfile::named("watch").has_value());
    EXPECT_EQ(DeviceProfile::phone().screenSize(), (Size{480, 320}));
}

TEST_F(LayoutLoaderTest, MissingFileIsReportedAndGivesAnEmptyScreen) {
    MenuScreen screen(DeviceProfile::tablet());
    testing::internal::CaptureStderr();
    View& root = screen.view();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("iPad/MenuScreen_ipad.json"), std::string::npos) << errors;
    EXPECT_TRUE(root.subviews().empty());
}

TEST_F(LayoutLoaderTest, MalformedEntriesAreReportedWithTheirPlaceAndSkipped) {
    const char* layout = R"({
      "widgets": [
        { "type": "Slider", "outlet": "a" },
        { "outlet": "b" },
        { "type": "Label", "outlet": "c", "frame": [1, 2, 3], "text": 5 },
        { "type": "View", "outlet": "d", "children": [
            { "type": "Switch", "outlet": "e", "on": "yes", "colour": "#000000" },
            { "type": "Button", "outlet": "f", "action": "nosuchaction" } ] },
        "not an object",
        { "type": "Label", "outlet": "g", "text": "fine" }
      ],
      "extra": 1
    })";
    MenuScreen screen(DeviceProfile::phone());
    View root;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loadLayoutText(layout, "test.json", screen, root));
    const std::string errors = testing::internal::GetCapturedStderr();
    for (const char* expected : {
             "test.json: widgets[0]: unknown widget type \"Slider\"",
             "test.json: widgets[1]: missing \"type\"",
             "test.json: widgets[2] (Label): \"frame\" must be four numbers",
             "test.json: widgets[2] (Label): \"text\" must be a text",
             "test.json: widgets[3].children[0] (Switch): \"on\" must be true or false",
             "test.json: widgets[3].children[0] (Switch): unknown key \"colour\"",
             "test.json: widgets[3].children[1] (Button): the screen has no action "
             "\"nosuchaction\"",
             "test.json: widgets[4]: a widget must be an object",
             "test.json: unknown key \"extra\"",
         }) {
        EXPECT_NE(errors.find(expected), std::string::npos) << "missing: " << expected << "\n"
                                                            << errors;
    }
    EXPECT_EQ(screen.outletView("a"), nullptr);
    EXPECT_EQ(screen.outletView("b"), nullptr);
    EXPECT_NE(screen.outletView("e"), nullptr);
    ASSERT_NE(screen.outlet<Label>("g"), nullptr);
    EXPECT_EQ(screen.outlet<Label>("g")->text(), "fine");
}

// A view class of a screen's own: two outlets it attaches itself, an action of its own, and a
// record of what it saw when the layout was done.
class Stack : public View, public ActionTarget {
public:
    Stack() {
        addAction("swap", [this] { swap(); });
    }
    std::string_view typeName() const override { return "Stack"; }
    std::vector<std::string_view> outletNames() const override { return {"top", "bottom"}; }
    void setViewOutlet(std::string_view name, std::unique_ptr<View> view) override {
        (name == "top" ? top : bottom) = std::move(view);
    }
    void awakeFromNib() override {
        ++awakenings;
        sawBottomWhenAwoken = bottom != nullptr;
        if (top) {
            addSubview(*top);
        }
    }
    void swap() {
        if (top && bottom) {
            top->removeFromSuperview();
            addSubview(*bottom);
        }
    }

    std::unique_ptr<View> top;
    std::unique_ptr<View> bottom;
    int awakenings = 0;
    bool sawBottomWhenAwoken = false;

protected:
    std::string actionTargetName() const override { return "Stack"; }
};

class StackScreen : public MenuScreen {
public:
    StackScreen() : MenuScreen(DeviceProfile::phone()) {
        registerViewClass("Stack", [] { return std::make_unique<Stack>(); });
    }
};

const char* kStackLayout = R"({ "widgets": [
  { "type": "Stack", "outlet": "stack", "frame": [0, 0, 200, 100],
    "outlets": {
      "top": { "type": "View", "frame": [0, 0, 200, 100], "children": [
        { "type": "Button", "outlet": "gameButton", "frame": [0, 0, 50, 20], "action": "game" } ] },
      "bottom": { "type": "View", "outlet": "page", "frame": [0, 0, 200, 100], "children": [
        { "type": "Button", "outlet": "swapButton", "frame": [0, 0, 50, 20],
          "action": "swap", "target": "stack" } ] } } } ] })";

TEST_F(LayoutLoaderTest, ViewClassesOfTheScreenTakeTheirOutletsActionsAndWakeUp) {
    StackScreen screen;
    View root;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(loadLayoutText(kStackLayout, "stack.json", screen, root));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    auto* stack = screen.outlet<Stack>("stack");
    ASSERT_NE(stack, nullptr);
    ASSERT_NE(stack->top, nullptr);
    ASSERT_NE(stack->bottom, nullptr);
    EXPECT_EQ(stack->awakenings, 1);
    EXPECT_TRUE(stack->sawBottomWhenAwoken) << "woken once the whole layout was built";
    // Laid out, but attached only by the class: the bottom face waits outside the tree.
    EXPECT_EQ(stack->subviews(), (std::vector<View*>{stack->top.get()}));
    EXPECT_EQ(stack->bottom->superview(), nullptr);
    EXPECT_EQ(stack->top->name(), "top");
    EXPECT_EQ(screen.outletView("page"), stack->bottom.get());

    // Outlets inside either face are the screen's; the face's control aims at the view.
    auto* swapButton = screen.outlet<Button>("swapButton");
    ASSERT_NE(swapButton, nullptr);
    EXPECT_EQ(swapButton->target(), static_cast<ActionTarget*>(stack));
    swapButton->sendAction();
    EXPECT_EQ(stack->subviews(), (std::vector<View*>{stack->bottom.get()}));
    screen.outlet<Button>("gameButton")->sendAction();
    EXPECT_EQ(screen.games, 1);
}

TEST_F(LayoutLoaderTest, WrongOutletsAndTargetsOfViewClassesAreReported) {
    StackScreen screen;
    View root;
    const char* layout = R"({ "widgets": [
      { "type": "Stack", "outlet": "stack",
        "outlets": { "side": { "type": "View" }, "top": { "type": "Sliding" } } },
      { "type": "View", "outlet": "plain", "outlets": { "top": { "type": "View" } } },
      { "type": "Button", "outlet": "a", "action": "swap", "target": "nobody" },
      { "type": "Button", "outlet": "b", "action": "fly", "target": "stack" },
      { "type": "Button", "outlet": "c", "action": "swap", "target": "plain" },
      { "type": "Label", "outlet": "d", "target": "stack" },
      { "type": "Button", "outlet": "e", "action": "swap" } ] })";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loadLayoutText(layout, "wrong.json", screen, root));
    const std::string errors = testing::internal::GetCapturedStderr();
    for (const char* expected : {
             "wrong.json: widgets[0].outlets.side: a Stack has no outlet \"side\"",
             "wrong.json: widgets[0].outlets.top: unknown widget type \"Sliding\"",
             "wrong.json: widgets[1].outlets.top: a View has no outlet \"top\"",
             "wrong.json: widgets[2] (Button): no outlet \"nobody\" that takes actions",
             "wrong.json: widgets[3] (Button): \"stack\" has no action \"fly\"",
             "wrong.json: widgets[4] (Button): no outlet \"plain\" that takes actions",
             "wrong.json: widgets[5] (Label): \"target\" is for controls only",
             "wrong.json: widgets[6] (Button): the screen has no action \"swap\"",
         }) {
        EXPECT_NE(errors.find(expected), std::string::npos) << "missing: " << expected << "\n"
                                                            << errors;
    }
    // A control whose target is missing sends nothing anywhere.
    EXPECT_EQ(screen.outlet<Button>("a")->target(), nullptr);
    EXPECT_EQ(screen.outlet<Stack>("stack")->top, nullptr);
    EXPECT_EQ(screen.outlet<Stack>("stack")->awakenings, 1);
}

TEST_F(LayoutLoaderTest, TextThatIsNotJsonIsReported) {
    MenuScreen screen(DeviceProfile::phone());
    View root;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loadLayoutText("{\"widgets\": [", "broken.json", screen, root));
    EXPECT_FALSE(loadLayoutText("[1, 2]", "list.json", screen, root));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("layout broken.json: not valid JSON"), std::string::npos) << errors;
    EXPECT_NE(errors.find("layout list.json: the layout must be an object"), std::string::npos);
}

}  // namespace
