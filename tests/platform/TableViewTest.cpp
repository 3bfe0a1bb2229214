// The table view: cells only for the rows in sight, handed back through the reuse queue as
// rows leave, scrolling by dragging, taps that select a row, sections, and reloading.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/Label.h"
#include "platform/LayoutLoader.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/TableView.h"
#include "platform/ViewController.h"
#include "platform/Window.h"

namespace {

// A cell that counts how many have been made, with one label.
class CountedCell : public TableViewCell {
public:
    explicit CountedCell(int& made) : TableViewCell(0, "Cell") {
        ++made;
        label = &contentView().addSubview(std::make_unique<Label>());
    }
    void layoutSubviews() override {
        TableViewCell::layoutSubviews();
        label->setFrame(contentView().bounds());
    }
    Label* label;
};

class Rows : public TableViewDataSource, public TableViewDelegate {
public:
    int tableViewNumberOfRowsInSection(TableView&, int section) override {
        return sections.at(static_cast<size_t>(section));
    }
    int numberOfSectionsInTableView(TableView&) override {
        return static_cast<int>(sections.size());
    }
    std::unique_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                  IndexPath indexPath) override {
        std::unique_ptr<TableViewCell> cell = table.dequeueReusableCell("Cell");
        if (cell) {
            ++reused;
        } else {
            cell = std::make_unique<CountedCell>(made);
        }
        static_cast<CountedCell&>(*cell).label->setText(std::to_string(indexPath.section) + "." +
                                                        std::to_string(indexPath.row));
        asked.push_back(indexPath);
        return cell;
    }
    void tableViewDidSelectRowAtIndexPath(TableView&, IndexPath indexPath) override {
        selected.push_back(indexPath);
    }

    std::vector<int> sections{100};
    int made = 0;
    int reused = 0;
    std::vector<IndexPath> asked;
    std::vector<IndexPath> selected;
};

std::string shownText(const TableView& table, IndexPath indexPath) {
    const TableViewCell* cell = table.cellForRowAtIndexPath(indexPath);
    return cell ? static_cast<const CountedCell*>(cell)->label->text() : "(no cell)";
}

class TableViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        // 200 points high, 40-point rows: five rows in sight.
        table = &window.rootView().addSubview(std::make_unique<TableView>());
        table->setFrame({40, 60, 400, 200});
        table->setRowHeight(40);
        table->setDataSource(&rows);
        table->setDelegate(&rows);
        table->reloadData();
    }

    void drag(double fromY, double toY) {
        window.touchDown({200, fromY});
        for (int step = 1; step <= 5; ++step) {
            window.touchMove({200, fromY + (toY - fromY) * step / 5});
        }
        window.touchUp({200, toY});
    }

    Rows rows;
    Window window{{480, 320}};
    TableView* table = nullptr;
};

TEST_F(TableViewTest, OnlyTheRowsInSightHaveCells) {
    EXPECT_EQ(table->numberOfRows(), 100);
    EXPECT_EQ(table->contentSize(), (Size{400, 4000}));
    EXPECT_EQ(rows.made, 5);
    EXPECT_EQ(table->indexPathsForVisibleRows().size(), 5u);
    EXPECT_EQ(shownText(*table, {0, 4}), "0.4");
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 5}), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 4})->frame(), (Rect{0, 160, 400, 40}));
    // A half row at each end is in sight too.
    table->setContentOffset({0, 20});
    EXPECT_EQ(table->indexPathsForVisibleRows().size(), 6u);
    EXPECT_EQ(shownText(*table, {0, 5}), "0.5");
}

TEST_F(TableViewTest, CellsOfRowsThatLeaveAreReusedForRowsThatCome) {
    table->setContentOffset({0, 2000});  // rows 50 to 54
    EXPECT_EQ(rows.made, 5);
    EXPECT_EQ(rows.reused, 5);
    EXPECT_EQ(shownText(*table, {0, 50}), "0.50");
    EXPECT_EQ(shownText(*table, {0, 54}), "0.54");
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0}), nullptr);
    // Step by step to the end: never more cells than rows in sight at once.
    for (double y = 2000; y <= 3800; y += 7) {
        table->setContentOffset({0, y});
    }
    EXPECT_LE(rows.made, 6);
    EXPECT_EQ(shownText(*table, {0, 99}), "0.99");
    // Only rows in sight are ever asked for.
    for (const IndexPath& asked : rows.asked) {
        EXPECT_LT(asked.row, 100);
    }
    EXPECT_LT(rows.asked.size(), 300u);
}

TEST_F(TableViewTest, DraggingScrollsTheRowsAndATapSelectsOne) {
    drag(240, 100);  // up by 140 points, past the threshold
    RunLoop::main().runFor(2);
    EXPECT_EQ(table->contentOffset().y, 140);
    EXPECT_TRUE(rows.selected.empty());
    EXPECT_EQ(shownText(*table, {0, 3}), "0.3");

    // A tap at y 70 in the window: 10 points into the table, 150 into the content: row 3.
    window.touchDown({200, 70});
    window.touchUp({200, 70});
    ASSERT_EQ(rows.selected.size(), 1u);
    EXPECT_EQ(rows.selected[0], (IndexPath{0, 3}));
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 3}));
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 3})->isSelected());
}

TEST_F(TableViewTest, AFingerOnGlidingRowsStopsThemAndSelectsNothing) {
    // A quick throw: 100 points in 0.05 s, lifted while moving.
    window.touchDown({200, 240});
    for (int step = 1; step <= 5; ++step) {
        RunLoop::main().runFor(0.01);
        window.touchMove({200, 240 - 20.0 * step});
    }
    window.touchUp({200, 140});
    RunLoop::main().runFor(0.1);
    ASSERT_TRUE(table->isDecelerating());
    const double caught = table->contentOffset().y;
    EXPECT_GT(caught, 100);

    window.touchDown({200, 150});
    window.touchUp({200, 150});
    RunLoop::main().runFor(2);
    EXPECT_EQ(table->contentOffset().y, caught);
    EXPECT_TRUE(rows.selected.empty());
    // The rows in sight at rest have their cells.
    const int top = static_cast<int>(caught / 40);
    EXPECT_EQ(shownText(*table, {0, top}), "0." + std::to_string(top));
    EXPECT_EQ(shownText(*table, {0, top + 4}), "0." + std::to_string(top + 4));
}

TEST_F(TableViewTest, DraggingPastTheTopSpringsBack) {
    drag(100, 250);
    RunLoop::main().runFor(2);
    EXPECT_EQ(table->contentOffset(), (Point{0, 0}));
    EXPECT_TRUE(rows.selected.empty());
}

TEST_F(TableViewTest, SectionsFollowEachOtherWithoutGaps) {
    rows.sections = {2, 0, 3};
    table->reloadData();
    EXPECT_EQ(table->numberOfRows(), 5);
    EXPECT_EQ(shownText(*table, {0, 1}), "0.1");
    EXPECT_EQ(shownText(*table, {2, 0}), "2.0");
    EXPECT_EQ(table->rectForRowAtIndexPath({2, 2}), (Rect{0, 160, 400, 40}));
    EXPECT_EQ(table->indexPathForRowAtPoint({10, 85}), (IndexPath{2, 0}));
    EXPECT_EQ(table->indexPathForRowAtPoint({10, 200}), std::nullopt);
    EXPECT_EQ(table->cellForRowAtIndexPath({1, 0}), nullptr);
}

TEST_F(TableViewTest, ReloadingFewerRowsRefillsAndKeepsTheOffsetInRange) {
    table->setContentOffset({0, 3000});
    table->selectRowAtIndexPath({0, 77});
    rows.sections = {3};
    table->reloadData();
    EXPECT_EQ(table->contentOffset(), (Point{0, 0}));
    EXPECT_EQ(table->indexPathsForVisibleRows().size(), 3u);
    EXPECT_EQ(shownText(*table, {0, 2}), "0.2");
    EXPECT_EQ(table->indexPathForSelectedRow(), std::nullopt);
    EXPECT_LE(rows.made, 6);  // the old cells were taken back, not new ones made

    rows.sections = {0};
    table->reloadData();
    EXPECT_TRUE(table->indexPathsForVisibleRows().empty());
    drag(240, 100);
    window.touchDown({200, 80});
    window.touchUp({200, 80});
    EXPECT_EQ(rows.selected, (std::vector<IndexPath>{{0, 77}}));
}

TEST_F(TableViewTest, ACellWithoutAnIdentifierIsNotKeptForReuse) {
    class Plain : public Rows {
        std::unique_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                      IndexPath) override {
            if (table.dequeueReusableCell("")) {
                ++reused;
            }
            ++made;
            return std::make_unique<TableViewCell>(0, "");
        }
    } plain;
    table->setDataSource(&plain);
    table->reloadData();
    table->setContentOffset({0, 400});
    EXPECT_EQ(plain.reused, 0);
    EXPECT_EQ(plain.made, 10);
}

TEST(TableViewLayoutTest, ATableFromALayoutTakesItsRowHeight) {
    Platform::installHeadless();
    ViewController screen(DeviceProfile::phone(), "");
    View root;
    EXPECT_TRUE(loadLayoutText(
        R"({"widgets": [{"type": "TableView", "outlet": "list", "frame": [0, 0, 300, 200],
                         "rowHeight": 30, "bounces": false, "separatorColor": "#FF0000"}]})",
        "Tables", screen, root));
    auto* table = screen.outlet<TableView>("list");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowHeight(), 30);
    EXPECT_FALSE(table->bounces());
    EXPECT_EQ(table->separatorColor(), (Color{1, 0, 0, 1}));
    EXPECT_TRUE(table->clipsToBounds());
}

}  // namespace
