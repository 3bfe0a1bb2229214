// The picker wheel: rows from its data source, spinning by dragging, taps on rows, what its
// delegate hears, the scripted `pick` step and the picker in a layout.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/Label.h"
#include "platform/LayoutLoader.h"
#include "platform/NavigationController.h"
#include "platform/PickerView.h"
#include "platform/Platform.h"
#include "platform/ScreenRegistry.h"
#include "platform/ScriptSession.h"
#include "platform/Window.h"

namespace {

// Rows "row 0" to "row N-1" in one column; remembers every choice it hears of.
class Rows : public PickerViewDataSource, public PickerViewDelegate {
public:
    explicit Rows(int rowCount) : count(rowCount) {}
    int numberOfComponentsInPickerView(const PickerView&) override { return 1; }
    int pickerViewNumberOfRowsInComponent(const PickerView&, int) override { return count; }
    std::string pickerViewTitleForRow(const PickerView&, int row, int) override {
        return "row " + std::to_string(row);
    }
    void pickerViewDidSelectRow(PickerView&, int row, int component) override {
        chosen.push_back(row);
        components.push_back(component);
    }
    int count;
    std::vector<int> chosen;
    std::vector<int> components;
};

class PickerViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        // 160 points high with 32-point rows: the middle line at y 80 shows the selected row.
        picker = &window.rootView().addSubview(std::make_unique<PickerView>());
        picker->setFrame({100, 50, 200, 160});
        picker->setDelegate(&rows);
        picker->setDataSource(&rows);
    }

    // A finger from y `from` to y `to` (window coordinates) at the picker's middle column.
    void spin(double from, double to) {
        window.touchDown({200, from});
        for (int step = 1; step <= 4; ++step) {
            window.touchMove({200, from + (to - from) * step / 4});
        }
        window.touchUp({200, to});
    }

    Rows rows{20};
    Window window{{480, 320}};
    PickerView* picker = nullptr;
};

TEST_F(PickerViewTest, StartsOnTheFirstRowAndSelectsFromTheProgramSilently) {
    EXPECT_EQ(picker->numberOfComponents(), 1);
    EXPECT_EQ(picker->numberOfRowsInComponent(0), 20);
    EXPECT_EQ(picker->titleForRow(7, 0), "row 7");
    EXPECT_EQ(picker->selectedRowInComponent(0), 0);

    picker->selectRow(1, 0);
    EXPECT_EQ(picker->selectedRowInComponent(0), 1);
    EXPECT_EQ(picker->presentedRow(0), 1);
    picker->selectRow(20, 0);  // no such row
    picker->selectRow(3, 1);   // no such column
    EXPECT_EQ(picker->selectedRowInComponent(0), 1);
    EXPECT_TRUE(rows.chosen.empty());
}

TEST_F(PickerViewTest, DraggingSpinsTheWheelAndTheRowAtTheMiddleLineIsChosen) {
    picker->selectRow(1, 0);
    // Up by three rows and a bit: the rows below come to the middle, the nearest one stays.
    spin(200, 200 - 3.3 * 32);
    EXPECT_EQ(picker->selectedRowInComponent(0), 4);
    EXPECT_EQ(picker->presentedRow(0), 4);
    // Down by 1.6 rows: back two.
    spin(100, 100 + 1.6 * 32);
    EXPECT_EQ(picker->selectedRowInComponent(0), 2);
    EXPECT_EQ(rows.chosen, (std::vector<int>{4, 2}));
    EXPECT_EQ(rows.components, (std::vector<int>{0, 0}));
}

TEST_F(PickerViewTest, SpinningPastTheEndsRestsOnTheFirstOrLastRow) {
    spin(60, 200);  // down from row 0: nothing above
    EXPECT_EQ(picker->selectedRowInComponent(0), 0);
    picker->selectRow(18, 0);
    window.touchDown({200, 200});
    window.touchMove({200, 60});
    // While the finger is down the wheel goes only a little past the last row.
    EXPECT_LT(picker->presentedRow(0), 19.5);
    EXPECT_GT(picker->presentedRow(0), 19);
    EXPECT_EQ(picker->selectedRowInComponent(0), 18);
    window.touchUp({200, 60});
    EXPECT_EQ(picker->selectedRowInComponent(0), 19);
    EXPECT_EQ(rows.chosen, (std::vector<int>{0, 19}));
}

TEST_F(PickerViewTest, ATapOnARowAboveOrBelowTheMiddleChoosesIt) {
    picker->selectRow(5, 0);
    // The middle line is at y 50 + 80; a row lower is 32 points down.
    window.touchDown({200, 130 + 64});
    window.touchUp({200, 130 + 64});
    EXPECT_EQ(picker->selectedRowInComponent(0), 7);
    window.touchDown({200, 130 - 32});
    window.touchUp({200, 130 - 32});
    EXPECT_EQ(picker->selectedRowInComponent(0), 6);
    EXPECT_EQ(rows.chosen, (std::vector<int>{7, 6}));
}

TEST_F(PickerViewTest, ACancelledSpinReturnsToTheSelectedRowAndTellsNobody) {
    picker->selectRow(5, 0);
    window.touchDown({200, 200});
    window.touchMove({200, 100});
    EXPECT_NE(picker->presentedRow(0), 5);
    window.touchCancel();
    EXPECT_EQ(picker->presentedRow(0), 5);
    EXPECT_EQ(picker->selectedRowInComponent(0), 5);
    EXPECT_TRUE(rows.chosen.empty());
}

TEST_F(PickerViewTest, ReloadingKeepsTheSelectionWithinTheRows) {
    picker->selectRow(15, 0);
    rows.count = 10;
    picker->reloadAllComponents();
    EXPECT_EQ(picker->selectedRowInComponent(0), 9);
    rows.count = 0;
    picker->reloadAllComponents();
    EXPECT_EQ(picker->selectedRowInComponent(0), -1);
    EXPECT_FALSE(picker->spinToRow(0, 0));
    spin(200, 100);  // nothing to spin
    EXPECT_TRUE(rows.chosen.empty());
}

// Two columns side by side: a finger spins only the one it landed on.
class TwoColumns : public Rows {
public:
    TwoColumns() : Rows(12) {}
    int numberOfComponentsInPickerView(const PickerView&) override { return 2; }
};

TEST(PickerViewColumnsTest, AFingerSpinsTheColumnUnderIt) {
    Platform::installHeadless();
    Window window{{480, 320}};
    TwoColumns columns;
    auto& picker = window.rootView().addSubview(std::make_unique<PickerView>());
    picker.setFrame({0, 0, 200, 160});
    picker.setDataSource(&columns);
    picker.setDelegate(&columns);
    EXPECT_EQ(picker.componentAt(99), 0);
    EXPECT_EQ(picker.componentAt(100), 1);
    EXPECT_EQ(picker.componentAt(200), -1);
    window.touchDown({150, 150});
    window.touchMove({150, 86});
    window.touchUp({150, 86});
    EXPECT_EQ(picker.selectedRowInComponent(0), 0);
    EXPECT_EQ(picker.selectedRowInComponent(1), 2);
    EXPECT_EQ(columns.components, (std::vector<int>{1}));
}

// A screen with a picker from its layout, its delegate showing the choice in a label.
class ChoiceScreen : public ViewController, public Rows {
public:
    explicit ChoiceScreen(const DeviceProfile& profile) : ViewController(profile, ""), Rows(5) {}
    void viewDidLoad() override {
        layoutClean = loadLayoutText(R"({"widgets": [
            {"type": "PickerView", "outlet": "choice", "frame": [10, 10, 300, 120],
             "rowHeight": 40},
            {"type": "Label", "outlet": "chosenLabel", "frame": [10, 140, 300, 20]}]})",
                                     "ChoiceScreen", *this, view());
        auto* picker = outlet<PickerView>("choice");
        picker->setDataSource(this);
        picker->setDelegate(this);
    }
    void pickerViewDidSelectRow(PickerView& picker, int row, int component) override {
        Rows::pickerViewDidSelectRow(picker, row, component);
        outlet<Label>("chosenLabel")->setText(pickerViewTitleForRow(picker, row, component));
    }
    bool layoutClean = false;
};

TEST(PickerViewScriptTest, PickChoosesARowAsASpinWouldAndReportsWhatItCannotDo) {
    Platform::installHeadless();
    ScreenRegistry registry;
    Window window{DeviceProfile::phone().screenSize()};
    NavigationController navigation{DeviceProfile::phone(),
                                    std::make_unique<ChoiceScreen>(DeviceProfile::phone())};
    window.setRootViewController(navigation);
    ScriptSession session{window, navigation, DeviceProfile::phone(), registry};
    auto* screen = dynamic_cast<ChoiceScreen*>(navigation.topViewController());
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->layoutClean);
    EXPECT_EQ(screen->outlet<PickerView>("choice")->rowHeight(), 40);

    std::ostringstream errors;
    EXPECT_TRUE(
        session.runText("pick choice 3\nexpect chosenLabel.text = row 3\n"
                        "pick choice 3\n",
                        errors))
        << errors.str();
    EXPECT_EQ(screen->chosen, (std::vector<int>{3, 3}));  // each pick is heard, as each spin
    EXPECT_EQ(session.pick("choice", 5).message, "\"choice\" has 5 rows, no row 5");
    EXPECT_EQ(session.pick("chosenLabel", 0).message, "\"chosenLabel\" is a Label, not a picker");
    EXPECT_EQ(session.pick("nothing", 0).message, "no outlet named \"nothing\"");
    EXPECT_EQ(screen->outlet<PickerView>("choice")->selectedRowInComponent(0), 3);
}

TEST(PickerViewScriptTest, PickLinesAreCheckedBeforeAnythingRuns) {
    const ParsedScript script = parseScript(
        "pick countries 12\n"
        "pick countries\n"
        "pick countries -1\n"
        "pick countries 1.5\n"
        "pick a.b 4\n");
    ASSERT_EQ(script.steps.size(), 1u);
    EXPECT_EQ(script.steps[0].kind, ScriptStepKind::Pick);
    EXPECT_EQ(script.steps[0].name, "countries");
    EXPECT_EQ(script.steps[0].row, 12);
    ASSERT_EQ(script.errors.size(), 4u);
    EXPECT_TRUE(script.errors[0].starts_with("line 2: ")) << script.errors[0];
    EXPECT_TRUE(script.errors[3].starts_with("line 5: ")) << script.errors[3];
}

TEST(PickerViewLayoutTest, ARowHeightMustBeAPositiveNumber) {
    Platform::installHeadless();
    ViewController screen(DeviceProfile::phone(), "");
    View root;
    EXPECT_FALSE(loadLayoutText(
        R"({"widgets": [{"type": "PickerView", "outlet": "a", "rowHeight": 0},
                         {"type": "PickerView", "outlet": "b", "rowHeight": "tall"}]})",
        "Pickers", screen, root));
    EXPECT_EQ(screen.outlet<PickerView>("a")->rowHeight(), PickerView::kDefaultRowHeight);
    EXPECT_EQ(screen.outlet<PickerView>("b")->rowHeight(), PickerView::kDefaultRowHeight);
}

}  // namespace
