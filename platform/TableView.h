// A vertical list of rows of one height, on the scroll view: a finger drags it, it glides and
// springs back like any scroll view. Rows are grouped in sections that follow each other
// without headers. Only the rows in sight have cells: the data source fills a cell for each
// row that comes into view, and cells of rows that leave it go to a reuse queue by their
// identifier, from which the data source takes them back (dequeueReusableCell). A tap on a
// row, without dragging, selects it and tells the delegate. A hairline in the separator colour
// runs along the bottom of every row, behind the cells.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ScrollView.h"
#include "platform/TableViewCell.h"

class TableView;

struct IndexPath {
    int section = 0;
    int row = 0;

    friend bool operator==(const IndexPath&, const IndexPath&) = default;
};

class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSectionsInTableView(TableView& table) {
        (void)table;
        return 1;
    }
    virtual int tableViewNumberOfRowsInSection(TableView& table, int section) = 0;
    // A filled cell for the row: one taken from the table's reuse queue, or a new one.
    virtual std::unique_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                          IndexPath indexPath) = 0;
};

class TableViewDelegate : public ScrollViewDelegate {
public:
    virtual void tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath indexPath) {
        (void)table;
        (void)indexPath;
    }
};

class TableView : public ScrollView {
public:
    static constexpr double kDefaultRowHeight = 44;

    std::string_view typeName() const override { return "TableView"; }

    // Kept by pointer; they must outlive the table's use of them. Setting the data source
    // loads nothing: reloadData() does.
    void setDataSource(TableViewDataSource* dataSource) { dataSource_ = dataSource; }
    // Also the delegate of the table's scrolling.
    void setDelegate(TableViewDelegate* delegate);

    double rowHeight() const { return rowHeight_; }
    // Takes effect at the next reloadData().
    void setRowHeight(double height);
    const Color& separatorColor() const { return separatorColor_; }
    void setSeparatorColor(Color color) { separatorColor_ = color; }

    // Asks the data source for the rows again, sizes the content to them and fills cells for
    // the rows in sight; the cells shown before go to the reuse queue first. Also after a
    // change of the table's frame.
    void reloadData();
    int numberOfSections() const { return static_cast<int>(sectionRows_.size()); }
    int numberOfRowsInSection(int section) const;
    int numberOfRows() const { return totalRows_; }

    // A cell waiting in the reuse queue under `identifier`, now the caller's; null when none.
    std::unique_ptr<TableViewCell> dequeueReusableCell(std::string_view identifier);
    // The cell shown for a row, or null when the row is out of sight (or does not exist).
    TableViewCell* cellForRowAtIndexPath(IndexPath indexPath) const;
    // The rows that have cells now, top first.
    std::vector<IndexPath> indexPathsForVisibleRows() const;
    // The row at a point in content coordinates; null when there is none.
    std::optional<IndexPath> indexPathForRowAtPoint(Point point) const;
    Rect rectForRowAtIndexPath(IndexPath indexPath) const;

    std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
    // As a tap on the row would: selects it and tells the delegate.
    void selectRowAtIndexPath(IndexPath indexPath);
    // Brings the row into sight.
    void scrollToRowAtIndexPath(IndexPath indexPath, bool animated);

protected:
    void contentOffsetDidChange() override;
    void didTap(Point location) override;

private:
    int flatRow(IndexPath indexPath) const;
    IndexPath indexPathOfFlatRow(int row) const;
    void layoutVisibleRows();
    void enqueue(int row);
    void markSelection(bool selected);

    TableViewDataSource* dataSource_ = nullptr;
    TableViewDelegate* delegate_ = nullptr;
    double rowHeight_ = kDefaultRowHeight;
    Color separatorColor_{0.88, 0.88, 0.88, 1};
    std::vector<int> sectionRows_;
    int totalRows_ = 0;
    std::map<int, TableViewCell*> visible_;  // by row counted over all sections
    std::map<std::string, std::vector<std::unique_ptr<TableViewCell>>, std::less<>> reuseQueue_;
    std::optional<IndexPath> selected_;
    bool layingOut_ = false;
};
