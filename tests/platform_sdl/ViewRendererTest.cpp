// The renderer draws the view tree offscreen: frames, hidden subtrees, alpha, z-order,
// transforms about the anchor point, presented values of animations, pictures, frame
// animations, text, alerts, screenshots and views turning over.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <numbers>

#include <unistd.h>

#include "SurfacePixels.h"
#include "platform/AlertView.h"
#include "platform/Bundle.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/PageControl.h"
#include "platform/PickerView.h"
#include "platform/Platform.h"
#include "platform/ScrollView.h"
#include "platform/TableView.h"
#include "platform/ViewAnimation.h"
#include "platform/Window.h"
#include "platform/sdl/OffscreenRenderer.h"
#include "platform/sdl/ViewImages.h"

namespace {
const Rgb kBlack{0, 0, 0};
const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};

// One folder per test process: CTest may run several at once.
std::filesystem::path testFolder(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("kalvorn-renderer-" + name + "-" + std::to_string(getpid()));
}

View& addColoredView(View& parent, Rect frame, Color color) {
    auto view = std::make_unique<View>(frame);
    view->setBackgroundColor(color);
    return parent.addSubview(std::move(view));
}

class ViewRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        Bundle::main().setResourcesDirectory(KALVORN_TEST_RESOURCES_DIR);
    }

    SDL_Surface* render() { return offscreen.render(window); }

    Window window{Size{100, 80}};
    OffscreenRenderer offscreen{Size{100, 80}};
};

TEST_F(ViewRendererTest, ColouredViewFillsExactlyItsFrame) {
    addColoredView(window.rootView(), {10, 20, 30, 15}, {1, 0, 0, 1});
    SDL_Surface* surface = render();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(pixelAt(surface, 10, 20), kRed);
    EXPECT_EQ(pixelAt(surface, 39, 34), kRed);
    EXPECT_EQ(pixelAt(surface, 40, 20), kBlack);
    EXPECT_EQ(pixelAt(surface, 9, 20), kBlack);
    EXPECT_EQ(pixelAt(surface, 10, 35), kBlack);
}

TEST_F(ViewRendererTest, ScrollViewShowsItsContentAtTheOffsetClippedToItsBounds) {
    auto owned = std::make_unique<ScrollView>();
    ScrollView& scroll = window.rootView().addSubview(std::move(owned));
    scroll.setFrame({10, 10, 50, 40});
    scroll.setContentSize({200, 40});
    addColoredView(scroll, {-100, 0, 400, 40}, {1, 0, 0, 1});
    addColoredView(scroll, {30, 10, 10, 10}, {0, 1, 0, 1});
    // Nested clipping: a clipping view inside the scroll view, partly outside it.
    View& inner = addColoredView(scroll, {60, 30, 40, 40}, {0, 0, 1, 1});
    inner.setClipsToBounds(true);
    addColoredView(inner, {0, 0, 100, 100}, {0, 0, 1, 1});
    scroll.setContentOffset({20, 0});
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 10, 10), kRed);
    EXPECT_EQ(pixelAt(surface, 59, 49), kBlue);  // the inner view's corner, inside the scroll
    EXPECT_EQ(pixelAt(surface, 9, 20), kBlack);
    EXPECT_EQ(pixelAt(surface, 60, 20), kBlack);
    EXPECT_EQ(pixelAt(surface, 30, 50), kBlack);
    EXPECT_EQ(pixelAt(surface, 70, 60), kBlack);  // the inner view past the scroll view's edge
    EXPECT_EQ(pixelAt(surface, 20, 20), kGreen);  // content x 30 at offset 20: window x 20
    EXPECT_EQ(pixelAt(surface, 29, 29), kGreen);
    EXPECT_EQ(pixelAt(surface, 30, 20), kRed);
    // Clipping ends with the scroll view: a later sibling draws anywhere.
    addColoredView(window.rootView(), {80, 60, 10, 10}, {0, 1, 0, 1});
    EXPECT_EQ(pixelAt(render(), 85, 65), kGreen);
}

TEST_F(ViewRendererTest, PageControlLightsTheCurrentDot) {
    PageControl& pages = window.rootView().addSubview(std::make_unique<PageControl>());
    pages.setFrame({0, 60, 100, 20});
    pages.setNumberOfPages(3);
    pages.setCurrentPage(1);
    SDL_Surface* surface = render();
    const Point lit = pages.dotCenter(1);
    const Point dim = pages.dotCenter(0);
    EXPECT_EQ(pixelAt(surface, int(lit.x), 60 + int(lit.y)), (Rgb{255, 255, 255}));
    const Rgb dimmed = pixelAt(surface, int(dim.x), 60 + int(dim.y));
    EXPECT_GT(dimmed.red, 40);
    EXPECT_LT(dimmed.red, 160);
    EXPECT_EQ(pixelAt(surface, 2, 70), kBlack);
}

// Rows of green cells 16 points high in 20-point rows, the gap showing the table below.
class GreenRows : public TableViewDataSource {
public:
    int tableViewNumberOfRowsInSection(TableView&, int) override { return 10; }
    std::unique_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                  IndexPath) override {
        std::unique_ptr<TableViewCell> cell = table.dequeueReusableCell("Cell");
        if (!cell) {
            cell = std::make_unique<TableViewCell>(0, "Cell");
            addColoredView(cell->contentView(), {0, 0, 100, 16}, {0, 1, 0, 1});
        }
        return cell;
    }
};

TEST_F(ViewRendererTest, TableDrawsItsRowsAtTheOffsetWithASeparatorUnderEach) {
    GreenRows rows;
    TableView& table = window.rootView().addSubview(std::make_unique<TableView>());
    table.setFrame({0, 0, 100, 80});
    table.setRowHeight(20);
    table.setSeparatorColor({0, 0, 1, 1});
    table.setDataSource(&rows);
    table.reloadData();
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 50, 5), kGreen);
    EXPECT_EQ(pixelAt(surface, 50, 17), kBlack);
    EXPECT_EQ(pixelAt(surface, 50, 19), kBlue);
    EXPECT_EQ(pixelAt(surface, 50, 39), kBlue);
    // Moved up by 10 points: each row's cell and separator move with it.
    table.setContentOffset({0, 10});
    surface = render();
    EXPECT_EQ(pixelAt(surface, 50, 2), kGreen);
    EXPECT_EQ(pixelAt(surface, 50, 9), kBlue);
    EXPECT_EQ(pixelAt(surface, 50, 12), kGreen);
    EXPECT_EQ(pixelAt(surface, 50, 27), kBlack);
    EXPECT_EQ(pixelAt(surface, 50, 29), kBlue);
}

// One column of titles "A0", "A1", ...
class LetterRows : public PickerViewDataSource, public PickerViewDelegate {
public:
    int numberOfComponentsInPickerView(const PickerView&) override { return 1; }
    int pickerViewNumberOfRowsInComponent(const PickerView&, int) override { return 9; }
    std::string pickerViewTitleForRow(const PickerView&, int row, int) override {
        return "A" + std::to_string(row);
    }
};

TEST_F(ViewRendererTest, PickerShowsTheSelectedRowInTheBandAcrossItsMiddle) {
    LetterRows rows;
    PickerView& picker = window.rootView().addSubview(std::make_unique<PickerView>());
    picker.setFrame({0, 0, 100, 80});
    picker.setRowHeight(20);
    picker.setDataSource(&rows);
    picker.setDelegate(&rows);
    auto darkPixelsIn = [](SDL_Surface* surface, int top, int bottom) {
        int dark = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = 10; x < 90; ++x) {
                const Rgb c = pixelAt(surface, x, y);
                dark += c.red < 120 && c.green < 120 && c.blue < 120 ? 1 : 0;
            }
        }
        return dark;
    };
    picker.selectRow(0, 0);
    SDL_Surface* surface = render();
    const Rgb band = pixelAt(surface, 5, 40);
    EXPECT_GT(band.blue, band.red);                // the selection band is tinted blue
    EXPECT_GT(darkPixelsIn(surface, 31, 49), 10);  // "A0" on the middle line
    EXPECT_EQ(darkPixelsIn(surface, 3, 29), 0);    // nothing above the first row
    EXPECT_GT(darkPixelsIn(surface, 51, 77), 10);  // the rows below
    picker.selectRow(8, 0);
    surface = render();
    EXPECT_GT(darkPixelsIn(surface, 3, 29), 10);
    EXPECT_EQ(darkPixelsIn(surface, 51, 77), 0);  // nothing below the last row
}

TEST_F(ViewRendererTest, SubviewsAreDrawnInTheirSuperviewsCoordinates) {
    View& parent = addColoredView(window.rootView(), {20, 10, 50, 50}, {0, 0, 1, 1});
    addColoredView(parent, {5, 5, 10, 10}, {1, 0, 0, 1});
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 25, 15), kRed);
    EXPECT_EQ(pixelAt(surface, 34, 24), kRed);
    EXPECT_EQ(pixelAt(surface, 35, 25), kBlue);
    EXPECT_EQ(pixelAt(surface, 24, 15), kBlue);
}

TEST_F(ViewRendererTest, HiddenViewHidesItsWholeSubtree) {
    View& parent = addColoredView(window.rootView(), {0, 0, 50, 50}, {1, 0, 0, 1});
    addColoredView(parent, {10, 10, 10, 10}, {0, 1, 0, 1});
    parent.setHidden(true);
    EXPECT_EQ(pixelsUnlike(render(), kBlack), 0);

    parent.setHidden(false);
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 5, 5), kRed);
    EXPECT_EQ(pixelAt(surface, 15, 15), kGreen);
}

TEST_F(ViewRendererTest, AlphaIsMultipliedDownTheTree) {
    View& parent = addColoredView(window.rootView(), {0, 0, 50, 50}, Color::clear());
    parent.setAlpha(0.5);
    View& child = addColoredView(parent, {0, 0, 20, 20}, Color::white());
    child.setAlpha(0.5);
    const Rgb quarter = pixelAt(render(), 5, 5);
    EXPECT_NEAR(quarter.red, 64, 3);
    EXPECT_EQ(quarter.red, quarter.blue);

    parent.setAlpha(0);
    EXPECT_EQ(pixelsUnlike(render(), kBlack), 0);
}

TEST_F(ViewRendererTest, LaterSubviewsAreOnTop) {
    View& red = addColoredView(window.rootView(), {0, 0, 40, 40}, {1, 0, 0, 1});
    addColoredView(window.rootView(), {20, 20, 40, 40}, {0, 1, 0, 1});
    EXPECT_EQ(pixelAt(render(), 30, 30), kGreen);

    window.rootView().bringSubviewToFront(red);
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 30, 30), kRed);
    EXPECT_EQ(pixelAt(surface, 50, 50), kGreen);
}

TEST_F(ViewRendererTest, RotationTurnsAboutTheCenter) {
    // A 60×10 bar turned a quarter turn stands upright on the same center.
    View& bar = addColoredView(window.rootView(), {20, 35, 60, 10}, {1, 0, 0, 1});
    bar.setTransform(AffineTransform::rotation(std::numbers::pi / 2));
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 50, 40), kRed);
    EXPECT_EQ(pixelAt(surface, 50, 14), kRed);
    EXPECT_EQ(pixelAt(surface, 50, 65), kRed);
    EXPECT_EQ(pixelAt(surface, 25, 40), kBlack);
    EXPECT_EQ(pixelAt(surface, 75, 40), kBlack);
}

TEST_F(ViewRendererTest, FortyFiveDegreesMakesADiamond) {
    View& square = addColoredView(window.rootView(), {30, 20, 40, 40}, {0, 0, 1, 1});
    square.setTransform(AffineTransform::rotation(std::numbers::pi / 4));
    SDL_Surface* surface = render();
    // The tips reach 28 points from the center; the unturned corners are now outside.
    EXPECT_EQ(pixelAt(surface, 50, 40 - 26), kBlue);
    EXPECT_EQ(pixelAt(surface, 50 + 26, 40), kBlue);
    EXPECT_EQ(pixelAt(surface, 31, 21), kBlack);
    EXPECT_EQ(pixelAt(surface, 68, 58), kBlack);
}

TEST_F(ViewRendererTest, ScaleAndRotationPivotAboutTheAnchorPoint) {
    View& view = addColoredView(window.rootView(), {40, 30, 20, 20}, {1, 0, 0, 1});
    view.setAnchorPoint({0, 0});  // keeps the center: the top-left corner moves to (50, 40)
    view.setTransform(AffineTransform::scale(2, 2));
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 51, 41), kRed);
    EXPECT_EQ(pixelAt(surface, 88, 78), kRed);
    EXPECT_EQ(pixelAt(surface, 48, 38), kBlack);
}

TEST_F(ViewRendererTest, RunningAnimationIsDrawnAtItsPresentedFrame) {
    View& view = addColoredView(window.rootView(), {0, 0, 10, 10}, {1, 0, 0, 1});
    animateViews({"move", 1.0, 0, AnimationCurve::Linear, {}}, [&] {
        view.setFrame({80, 0, 10, 10});
    });
    RunLoop::main().runFor(0.5);
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 45, 5), kRed);
    EXPECT_EQ(pixelAt(surface, 5, 5), kBlack);
    EXPECT_EQ(pixelAt(surface, 85, 5), kBlack);
}

TEST_F(ViewRendererTest, LabelTextStaysInsideItsBounds) {
    auto label = std::make_unique<Label>();
    label->setFrame({10, 10, 80, 30});
    label->setText("Kalvorn");
    label->setTextColor(Color::white());
    label->setAlignment(TextAlignment::Center);
    window.rootView().addSubview(std::move(label));
    SDL_Surface* surface = render();
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool drawn = !isBlack(pixelAt(surface, x, y));
            const bool within = x >= 10 && x < 90 && y >= 10 && y < 40;
            (within ? inside : outside) += drawn ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 40);
    EXPECT_EQ(outside, 0);
}

TEST_F(ViewRendererTest, WrappedLabelShowsAtMostItsNumberOfLines) {
    auto label = std::make_unique<Label>();
    label->setFrame({0, 0, 100, 80});
    label->setText("one two three four five six seven eight nine ten eleven twelve");
    label->setTextColor(Color::white());
    label->setFont("DejaVuSans", 10);
    Label& wrapped = window.rootView().addSubview(std::move(label));
    // The rows holding drawn pixels, from the first to the last.
    auto inkHeight = [&] {
        SDL_Surface* surface = render();
        int first = -1;
        int last = -1;
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (!isBlack(pixelAt(surface, x, y))) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            }
        }
        return first < 0 ? 0 : last - first + 1;
    };
    wrapped.setNumberOfLines(0);
    const int allLines = inkHeight();
    wrapped.setNumberOfLines(2);
    const int twoLines = inkHeight();
    wrapped.setNumberOfLines(1);
    const int oneLine = inkHeight();
    EXPECT_GT(allLines, twoLines + 10);
    EXPECT_GT(twoLines, oneLine + 5);
    EXPECT_GT(oneLine, 5);
}

TEST_F(ViewRendererTest, VisibleAlertIsDrawnOverTheTree) {
    addColoredView(window.rootView(), {0, 0, 100, 80}, {0, 1, 0, 1});
    auto alert = AlertView::show("Error", "Connection error", {"OK"});
    const Rgb withAlert = pixelAt(render(), 50, 40);
    EXPECT_NE(withAlert, kGreen);
    alert->dismiss(0);
    EXPECT_EQ(pixelAt(render(), 50, 40), kGreen);
}

TEST_F(ViewRendererTest, FullScreenMovieIsLetterboxedOnBlackOverTheTree) {
    addColoredView(window.rootView(), {0, 0, 100, 80}, {0, 1, 0, 1});
    // A 2×1 picture: 100 points wide, 50 high in the middle of the 100×80 screen.
    MovieFrame frame{2, 1, {255, 0, 0, 255, 0, 0, 255, 255}, 1};
    SDL_Surface* surface = offscreen.render(window, {nullptr, nullptr, &frame});
    EXPECT_EQ(pixelAt(surface, 50, 5), kBlack);
    EXPECT_EQ(pixelAt(surface, 50, 75), kBlack);
    EXPECT_EQ(pixelAt(surface, 10, 40).red, 255);
    EXPECT_EQ(pixelAt(surface, 90, 40).blue, 255);

    // A new picture (another serial) replaces the old one.
    frame.pixels = {0, 0, 255, 255, 0, 0, 255, 255};
    frame.serial = 2;
    EXPECT_EQ(pixelAt(offscreen.render(window, {nullptr, nullptr, &frame}), 10, 40), kBlue);
}

TEST_F(ViewRendererTest, ScreenshotIsAPngOfTheWindowsSize) {
    addColoredView(window.rootView(), {0, 0, 50, 80}, {0, 0, 1, 1});
    const std::string path = (testFolder("shot") / "shot.png").string();
    std::string error;
    ASSERT_TRUE(saveScreenshot(window, path, error)) << error;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr);
    SDL_Surface* pixels = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    EXPECT_EQ(pixels->w, 100);
    EXPECT_EQ(pixels->h, 80);
    EXPECT_EQ(pixelAt(pixels, 10, 10), kBlue);
    EXPECT_EQ(pixelAt(pixels, 60, 10), kBlack);
    SDL_FreeSurface(pixels);
    SDL_FreeSurface(loaded);
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

// Pictures live in a folder of their own, made by the test.
class PictureRenderingTest : public ViewRendererTest {
protected:
    void SetUp() override {
        ViewRendererTest::SetUp();
        folder = testFolder("pictures");
        std::filesystem::create_directories(folder);
        writePicture("blue.png", kBlue);
        writePicture("green.png", kGreen);
        Bundle::main().setResourcesDirectory(folder.string());
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // A 4×4 picture of one colour.
    void writePicture(const std::string& name, Rgb color) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(
            surface, nullptr,
            SDL_MapRGB(surface->format, Uint8(color.red), Uint8(color.green), Uint8(color.blue)));
        IMG_SavePNG(surface, (folder / name).c_str());
        SDL_FreeSurface(surface);
    }

    std::filesystem::path folder;
};

TEST_F(PictureRenderingTest, ImageViewStretchesItsPictureOverItsBounds) {
    auto image = std::make_unique<ImageView>("blue.png");
    image->setFrame({10, 10, 40, 20});
    window.rootView().addSubview(std::move(image));
    SDL_Surface* surface = render();
    EXPECT_EQ(pixelAt(surface, 11, 11), kBlue);
    EXPECT_EQ(pixelAt(surface, 48, 28), kBlue);
    EXPECT_EQ(pixelAt(surface, 51, 15), kBlack);
}

TEST_F(PictureRenderingTest, FrameAnimationShowsTheCurrentFrame) {
    auto image = std::make_unique<ImageView>("blue.png");
    image->setFrame({0, 0, 20, 20});
    image->setAnimationImages({"green.png", "blue.png"});
    image->setAnimationDuration(1);
    image->setAnimationRepeatCount(1);
    ImageView& view = window.rootView().addSubview(std::move(image));
    view.startAnimating();
    EXPECT_EQ(pixelAt(render(), 5, 5), kGreen);
    RunLoop::main().runFor(0.6);
    EXPECT_EQ(pixelAt(render(), 5, 5), kBlue);
    RunLoop::main().runFor(0.6);
    view.setImage("green.png");
    EXPECT_EQ(pixelAt(render(), 5, 5), kGreen);
}
}  // namespace

// A view turning over is drawn from the pictures of its two faces: narrowed and in perspective,
// the edge that comes forward taller, the face after the middle the right way round.
class TransitionRenderTest : public ViewRendererTest {
protected:
    void SetUp() override {
        ViewRendererTest::SetUp();
        installViewImages(Platform::current());
        card = &window.rootView().addSubview(std::make_unique<View>(Rect{0, 0, 100, 80}));
        front = &addColoredView(*card, {0, 0, 100, 80}, {1, 0, 0, 1});
        back = std::make_unique<View>(Rect{0, 0, 100, 80});
        back->setBackgroundColor({0, 0, 1, 1});
        addColoredView(*back, {0, 0, 10, 80}, {0, 1, 0, 1});  // marks the back's left side
    }

    void turnOver(ViewTransition transition) {
        animateViews({"flip", 1.0, 0, AnimationCurve::Linear, nullptr}, [&] {
            setAnimationTransition(transition, *card);
            card->addSubview(*back);
            owned = front->removeFromSuperview();
        });
    }

    static bool isMostly(Rgb c, int Rgb::*channel) {
        return c.*channel > 150 && c.red + c.green + c.blue - c.*channel < 40;
    }

    View* card = nullptr;
    View* front = nullptr;
    std::unique_ptr<View> back;
    std::unique_ptr<View> owned;
};

TEST_F(TransitionRenderTest, FlipFromLeftShowsTheFrontNarrowingThenTheBackWidening) {
    turnOver(ViewTransition::FlipFromLeft);
    RunLoop::main().runFor(0.25);
    SDL_Surface* surface = render();
    EXPECT_TRUE(isMostly(pixelAt(surface, 50, 40), &Rgb::red)) << pixelAt(surface, 50, 40);
    EXPECT_TRUE(isBlack(pixelAt(surface, 3, 40))) << "narrowed";
    EXPECT_TRUE(isBlack(pixelAt(surface, 92, 40))) << "narrowed";
    EXPECT_TRUE(isMostly(pixelAt(surface, 12, 2), &Rgb::red)) << "the left edge comes forward";
    EXPECT_TRUE(isBlack(pixelAt(surface, 76, 2))) << "the right edge goes away";
    EXPECT_LT(pixelAt(surface, 50, 40).red, 250) << "turned from the light";

    RunLoop::main().runFor(0.5);
    surface = render();
    EXPECT_TRUE(isMostly(pixelAt(surface, 50, 40), &Rgb::blue)) << pixelAt(surface, 50, 40);
    EXPECT_TRUE(isMostly(pixelAt(surface, 22, 40), &Rgb::green)) << "not mirrored";
    EXPECT_TRUE(isBlack(pixelAt(surface, 3, 40)));
    EXPECT_TRUE(isMostly(pixelAt(surface, 86, 2), &Rgb::blue)) << "now the right edge is near";
    EXPECT_TRUE(isBlack(pixelAt(surface, 22, 2)));

    RunLoop::main().runFor(0.3);
    surface = render();
    EXPECT_EQ(pixelAt(surface, 50, 40), kBlue);
    EXPECT_EQ(pixelAt(surface, 2, 40), kGreen);
    EXPECT_EQ(pixelAt(surface, 99, 0), kBlue);
}

TEST_F(TransitionRenderTest, FlipFromRightBringsTheRightEdgeForwardFirst) {
    turnOver(ViewTransition::FlipFromRight);
    RunLoop::main().runFor(0.25);
    SDL_Surface* surface = render();
    EXPECT_TRUE(isMostly(pixelAt(surface, 88, 2), &Rgb::red)) << pixelAt(surface, 88, 2);
    EXPECT_TRUE(isBlack(pixelAt(surface, 24, 2)));
    // The model has the back already: only the drawing turns.
    EXPECT_EQ(card->subviews(), (std::vector<View*>{back.get()}));
}
