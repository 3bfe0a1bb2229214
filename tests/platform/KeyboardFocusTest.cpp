// The keyboard focus in the window: one text field at a time, taken by a tap, given up when
// the screen asks, lost with the field's departure from the window.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Platform.h"
#include "platform/TextField.h"
#include "platform/Window.h"

namespace {

class KeyboardFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        panel = &window.rootView().addSubview(std::make_unique<View>(Rect{0, 0, 480, 160}));
        first = &panel->addSubview(std::make_unique<TextField>());
        first->setFrame({10, 10, 200, 30});
        second = &panel->addSubview(std::make_unique<TextField>());
        second->setFrame({10, 60, 200, 30});
    }

    Window window{{480, 320}};
    View* panel = nullptr;
    TextField* first = nullptr;
    TextField* second = nullptr;
};

TEST_F(KeyboardFocusTest, ATapTakesTheFocusFromTheFieldThatHadIt) {
    EXPECT_EQ(window.focusedField(), nullptr);
    window.touchDown({50, 25});
    EXPECT_FALSE(first->isFirstResponder());  // taken when the finger lifts on the field
    window.touchUp({50, 25});
    EXPECT_TRUE(first->isFirstResponder());
    window.touchDown({50, 75});
    window.touchUp({50, 75});
    EXPECT_TRUE(second->isFirstResponder());
    EXPECT_FALSE(first->isFirstResponder());
    EXPECT_EQ(window.focusedField(), second);
}

TEST_F(KeyboardFocusTest, TheScreenTakesTheFocusAwayAndOnlyFromTheFieldThatHasIt) {
    ASSERT_TRUE(first->becomeFirstResponder());
    second->resignFirstResponder();  // had nothing to give up
    EXPECT_TRUE(first->isFirstResponder());
    first->resignFirstResponder();
    EXPECT_FALSE(first->isFirstResponder());
    EXPECT_EQ(window.focusedField(), nullptr);
}

TEST_F(KeyboardFocusTest, AFieldOutsideAWindowCannotTakeTheFocus) {
    TextField loose;
    EXPECT_FALSE(loose.becomeFirstResponder());
    EXPECT_FALSE(loose.isFirstResponder());
    loose.resignFirstResponder();
    EXPECT_EQ(window.focusedField(), nullptr);
}

TEST_F(KeyboardFocusTest, AFieldLeavingTheWindowLosesTheFocus) {
    ASSERT_TRUE(second->becomeFirstResponder());
    std::unique_ptr<View> removed = panel->removeFromSuperview();
    EXPECT_EQ(window.focusedField(), nullptr);
    EXPECT_FALSE(second->isFirstResponder());

    window.rootView().addSubview(std::move(removed));
    ASSERT_TRUE(first->becomeFirstResponder());
    // Removed and destroyed: the window keeps no pointer to it.
    first->removeFromSuperview().reset();
    EXPECT_EQ(window.focusedField(), nullptr);
    EXPECT_TRUE(second->becomeFirstResponder());
}

}  // namespace
