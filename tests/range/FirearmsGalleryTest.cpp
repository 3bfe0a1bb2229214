// The firearms gallery as a player meets it: the four categories with their pages and
// pictures, pages made only near the strip's place, the indicator followed by a finger's
// scrolling and leading the strip when tapped, overscroll at both ends, and the main menu's
// way in.
#include <optional>

#include "app/AppDelegate_All.h"
#include "platform/ImageView.h"
#include "platform/PageControl.h"
#include "range/FirearmsGalleryTable.h"
#include "range/FirearmsInsideController.h"
#include "range/MenuFirearmsController.h"
#include "tests/range/RangeSession.h"
#include "tests/support/LaunchedGame.h"

namespace {

// The categories as the gallery's design gives them: action, state value, pages, and the
// first and last picture of each profile.
struct PinnedCategory {
    const char* action;
    int value;
    int pages;
    const char* firstPhone;
    const char* lastPhone;
    const char* firstTablet;
    const char* lastTablet;
};
const PinnedCategory kCategories[] = {
    {"handgun", 0, 5, "f_handgun_01.jpg", "f_handgun_05.jpg", "f_handgun_01_ipad.jpg",
     "f_handgun_05_ipad.jpg"},
    {"autogun", 1, 5, "f_auto_01.jpg", "f_auto_05.jpg", "f_auto_01_ipad.jpg", "f_auto_05_ipad.jpg"},
    {"backgun", 2, 6, "f_background_01.jpg", "f_background_06.jpg", "f_background_01_ipad.jpg",
     "f_background_06_ipad.jpg"},
    {"longgun", 3, 4, "f_long_01.jpg", "f_long_04.jpg", "f_long_01_ipad.jpg", "f_long_04_ipad.jpg"},
};

class FirearmsGalleryTest : public ::testing::Test {
protected:
    FirearmsInsideController& openGallery(const std::string& action, RangeSession& on) {
        EXPECT_TRUE(on.run("open " + on.screenClass("MenuFirearmsController") + "\naction " +
                           action + "\nexpect-screen " +
                           on.screenClass("FirearmsInsideController") + "\n"));
        return on.top<FirearmsInsideController>();
    }
    FirearmsInsideController& openGallery(const std::string& action) {
        return openGallery(action, session);
    }
    static std::vector<int> loadedPages(const FirearmsInsideController& gallery) {
        std::vector<int> pages;
        for (int page = 0; page < gallery.kNumberOfPages(); ++page) {
            if (gallery.pageScreen(page)) {
                pages.push_back(page);
            }
        }
        return pages;
    }
    static std::string picture(const FirearmsInsideController& gallery, int page) {
        auto* shown = gallery.pageScreen(page)->outlet<ImageView>("fireBackView");
        return shown ? shown->image() : "<none>";
    }
    ScrollView& strip() {
        return *session.top<FirearmsInsideController>().outlet<ScrollView>("scrollView");
    }

    // One application state at a time: a test of the tablet lets the phone's go first.
    std::optional<RangeSession> phone{std::in_place};
    RangeSession& session{*phone};
};

TEST_F(FirearmsGalleryTest, EachCategoryHasItsPagesAndPictures) {
    for (const PinnedCategory& pinned : kCategories) {
        SCOPED_TRACE(pinned.action);
        const FirearmsCategory* category = findFirearmsCategory(pinned.value);
        ASSERT_NE(category, nullptr);
        EXPECT_STREQ(category->action, pinned.action);
        EXPECT_EQ(category->pages, pinned.pages);
        EXPECT_EQ(firearmsPagePicture(*category, 0, false), pinned.firstPhone);
        EXPECT_EQ(firearmsPagePicture(*category, pinned.pages - 1, false), pinned.lastPhone);
        EXPECT_EQ(firearmsPagePicture(*category, 0, true), pinned.firstTablet);
        EXPECT_EQ(firearmsPagePicture(*category, pinned.pages - 1, true), pinned.lastTablet);

        FirearmsInsideController& gallery = openGallery(pinned.action);
        EXPECT_EQ(session.app->ktoreMenuFirearms, pinned.value);
        EXPECT_EQ(gallery.kNumberOfPages(), pinned.pages);
        EXPECT_EQ(gallery.outlet<PageControl>("pageControl")->numberOfPages(), pinned.pages);
        EXPECT_EQ(strip().contentSize(), (Size{480.0 * pinned.pages, 320}));
        EXPECT_TRUE(strip().isPagingEnabled());
        EXPECT_EQ(picture(gallery, 0), pinned.firstPhone);
        ASSERT_TRUE(session.run("action backButton\nwait 1\naction backButton\nwait 1\n"));
    }
    EXPECT_EQ(findFirearmsCategory(4), nullptr);
    EXPECT_EQ(findFirearmsCategory(-1), nullptr);
}

TEST_F(FirearmsGalleryTest, PagesAreMadeOnlyNearTheStripsPlace) {
    FirearmsInsideController& gallery = openGallery("longgun");
    ASSERT_TRUE(session.run("expect pageControl.page = 0\n"));
    EXPECT_EQ(loadedPages(gallery), (std::vector<int>{0, 1}));
    gallery.loadScrollViewWithPage(-1);
    gallery.loadScrollViewWithPage(4);
    EXPECT_EQ(loadedPages(gallery), (std::vector<int>{0, 1}));

    strip().setContentOffset({3 * 480, 0});
    ASSERT_TRUE(session.run("expect pageControl.page = 3\n"));
    EXPECT_EQ(loadedPages(gallery), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(gallery.pageScreen(3)->view().frame(), (Rect{1440, 0, 480, 320}));
    EXPECT_EQ(picture(gallery, 3), "f_long_04.jpg");
    EXPECT_EQ(gallery.pageScreen(3)->view().superview(), &strip());
}

TEST_F(FirearmsGalleryTest, TheIndicatorLeadsTheStripAndTheScrollDoesNotMoveItBack) {
    FirearmsInsideController& gallery = openGallery("backgun");
    auto& dots = *gallery.outlet<PageControl>("pageControl");
    dots.setCurrentPage(3);
    // A tap to the right of the current dot moves one page on.
    const Point right = dots.convertPoint(dots.dotCenter(5), nullptr);
    ASSERT_TRUE(session.run("tap " + std::to_string(right.x) + "," + std::to_string(right.y) +
                            "\nexpect pageControl.page = 4\n"));
    EXPECT_TRUE(gallery.pageControlUsed());
    EXPECT_EQ(loadedPages(gallery), (std::vector<int>{0, 1, 3, 4, 5}));
    EXPECT_EQ(picture(gallery, 5), "f_background_06.jpg");
    ASSERT_TRUE(
        session.run("wait 0.1\nexpect pageControl.page = 4\nwait 1\n"
                    "expect scrollView.contentOffset = 1920,0\n"
                    "expect pageControl.page = 4\n"));
    EXPECT_EQ(loadedPages(gallery), (std::vector<int>{0, 1, 3, 4, 5}))
        << "the pages passed on the way are not made";

    // A finger's drag follows the strip again.
    ASSERT_TRUE(session.run("drag 400,100 40,100\nexpect pageControl.page = 5\n"));
    EXPECT_FALSE(gallery.pageControlUsed());
    ASSERT_TRUE(
        session.run("wait 1\nexpect scrollView.contentOffset = 2400,0\n"
                    "expect pageControl.page = 5\n"));
}

TEST_F(FirearmsGalleryTest, OverscrollKeepsTheIndicatorWithinThePages) {
    FirearmsInsideController& gallery = openGallery("handgun");
    strip().setContentOffset({-60, 0});
    ASSERT_TRUE(session.run("expect pageControl.page = 0\n"));
    strip().setContentOffset({4 * 480 + 300, 0});
    ASSERT_TRUE(session.run("expect pageControl.page = 4\n"));
    EXPECT_EQ(loadedPages(gallery), (std::vector<int>{0, 1, 4})) << "nothing beyond the last page";
    EXPECT_EQ(gallery.pageScreen(5), nullptr);
}

TEST_F(FirearmsGalleryTest, TheTabletShowsItsOwnPictures) {
    phone.reset();
    RangeSession tablet(DeviceProfile::tablet());
    FirearmsInsideController& gallery = openGallery("backgun", tablet);
    EXPECT_EQ(gallery.outlet<ScrollView>("scrollView")->contentSize(), (Size{6 * 1024, 768}));
    gallery.outlet<ScrollView>("scrollView")->setContentOffset({5 * 1024, 0});
    EXPECT_EQ(picture(gallery, 5), "f_background_06_ipad.jpg");
    EXPECT_EQ(gallery.pageScreen(5)->view().frame(), (Rect{5 * 1024, 0, 1024, 768}));
}

TEST_F(FirearmsGalleryTest, APageOfACategoryNotKnownShowsNoPicture) {
    FirearmsInsideController& gallery = openGallery("autogun");
    session.app->ktoreMenuFirearms = 7;
    gallery.loadScrollViewWithPage(2);
    EXPECT_EQ(picture(gallery, 2), "");
    EXPECT_EQ(picture(gallery, 1), "f_auto_02.jpg") << "pages made before keep their picture";
}

TEST(FirearmsFromTheMainMenu, TheFirearmsEntryOpensTheGalleryMenu) {
    LaunchedGame game;
    game.services().setMovieDuration(1.0);
    game.launch();
    ASSERT_TRUE(
        game.run("wait 1.2\ntap firearmsButton\nexpect-screen MenuFirearmsController\n"
                 "tap longgunButton\nexpect-screen FirearmsInsideController\n"
                 "expect pageControl.page = 0\ntap backButton\nwait 1\n"
                 "expect-screen MenuFirearmsController\n"));
}

}  // namespace
