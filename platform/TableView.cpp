// Rows, cells in sight, the reuse queue and row taps of the table view.
#include "platform/TableView.h"

#include <algorithm>
#include <cmath>

void TableView::setDelegate(TableViewDelegate* delegate) {
    delegate_ = delegate;
    ScrollView::setDelegate(delegate);
}

void TableView::setRowHeight(double height) {
    if (height > 0) {
        rowHeight_ = height;
    }
}

int TableView::numberOfRowsInSection(int section) const {
    if (section < 0 || section >= numberOfSections()) {
        return 0;
    }
    return sectionRows_[static_cast<size_t>(section)];
}

int TableView::flatRow(IndexPath indexPath) const {
    if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(indexPath.section)) {
        return -1;
    }
    int row = indexPath.row;
    for (int section = 0; section < indexPath.section; ++section) {
        row += sectionRows_[static_cast<size_t>(section)];
    }
    return row;
}

IndexPath TableView::indexPathOfFlatRow(int row) const {
    for (int section = 0; section < numberOfSections(); ++section) {
        const int rows = sectionRows_[static_cast<size_t>(section)];
        if (row < rows) {
            return {section, row};
        }
        row -= rows;
    }
    return {numberOfSections(), row};
}

void TableView::reloadData() {
    for (auto& [row, cell] : visible_) {
        (void)cell;
        enqueue(row);
    }
    visible_.clear();
    markSelection(false);
    selected_.reset();
    sectionRows_.clear();
    totalRows_ = 0;
    if (dataSource_) {
        const int sections = std::max(0, dataSource_->numberOfSectionsInTableView(*this));
        for (int section = 0; section < sections; ++section) {
            const int rows =
                std::max(0, dataSource_->tableViewNumberOfRowsInSection(*this, section));
            sectionRows_.push_back(rows);
            totalRows_ += rows;
        }
    }
    setContentSize({bounds().width, totalRows_ * rowHeight_});
    // Rows that are gone may leave the offset past the new end.
    const Point most = maximumContentOffset();
    const Point offset = contentOffset();
    if (offset.y > most.y) {
        setContentOffset({offset.x, most.y});
    }
    layoutVisibleRows();
}

void TableView::enqueue(int row) {
    auto shown = visible_.find(row);
    if (shown == visible_.end()) {
        return;
    }
    // Every cell in visible_ was added as an owned subview, so it comes back owned; one without
    // an identifier cannot be asked for again and goes.
    std::unique_ptr<TableViewCell> cell(
        static_cast<TableViewCell*>(shown->second->removeFromSuperview().release()));
    if (cell && !cell->reuseIdentifier().empty()) {
        const std::string identifier = cell->reuseIdentifier();
        reuseQueue_[identifier].push_back(std::move(cell));
    }
}

std::unique_ptr<TableViewCell> TableView::dequeueReusableCell(std::string_view identifier) {
    auto queue = reuseQueue_.find(identifier);
    if (queue == reuseQueue_.end() || queue->second.empty()) {
        return nullptr;
    }
    std::unique_ptr<TableViewCell> cell = std::move(queue->second.back());
    queue->second.pop_back();
    cell->setSelected(false, false);
    return cell;
}

void TableView::contentOffsetDidChange() {
    layoutVisibleRows();
}

void TableView::layoutVisibleRows() {
    // A data source that scrolls while filling a cell must not start a second pass.
    if (layingOut_) {
        return;
    }
    layingOut_ = true;
    const Rect shown = bounds();
    int first = 0;
    int last = -1;
    if (totalRows_ > 0 && shown.height > 0) {
        first = std::clamp(static_cast<int>(std::floor(shown.y / rowHeight_)), 0, totalRows_);
        last = std::clamp(static_cast<int>(std::ceil((shown.y + shown.height) / rowHeight_)) - 1,
                          -1, totalRows_ - 1);
    }
    std::vector<int> leaving;
    for (const auto& [row, cell] : visible_) {
        (void)cell;
        if (row < first || row > last) {
            leaving.push_back(row);
        }
    }
    for (int row : leaving) {
        enqueue(row);
        visible_.erase(row);
    }
    for (int row = first; row <= last && dataSource_; ++row) {
        if (visible_.contains(row)) {
            continue;
        }
        const IndexPath indexPath = indexPathOfFlatRow(row);
        std::unique_ptr<TableViewCell> made =
            dataSource_->tableViewCellForRowAtIndexPath(*this, indexPath);
        if (!made) {
            continue;  // a data source without a cell for the row leaves a gap
        }
        TableViewCell& cell = addSubview(std::move(made));
        cell.setFrame(rectForRowAtIndexPath(indexPath));
        cell.layoutSubviews();
        cell.setSelected(selected_ && *selected_ == indexPath, false);
        visible_[row] = &cell;
    }
    layingOut_ = false;
}

TableViewCell* TableView::cellForRowAtIndexPath(IndexPath indexPath) const {
    auto shown = visible_.find(flatRow(indexPath));
    return shown == visible_.end() ? nullptr : shown->second;
}

std::vector<IndexPath> TableView::indexPathsForVisibleRows() const {
    std::vector<IndexPath> rows;
    for (const auto& [row, cell] : visible_) {
        (void)cell;
        rows.push_back(indexPathOfFlatRow(row));
    }
    return rows;
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(Point point) const {
    if (point.y < 0 || point.x < 0 || point.x >= bounds().width) {
        return std::nullopt;
    }
    const int row = static_cast<int>(std::floor(point.y / rowHeight_));
    if (row >= totalRows_) {
        return std::nullopt;
    }
    return indexPathOfFlatRow(row);
}

Rect TableView::rectForRowAtIndexPath(IndexPath indexPath) const {
    const int row = flatRow(indexPath);
    if (row < 0) {
        return {};
    }
    return {0, row * rowHeight_, bounds().width, rowHeight_};
}

void TableView::markSelection(bool selected) {
    if (selected_) {
        if (TableViewCell* cell = cellForRowAtIndexPath(*selected_)) {
            cell->setSelected(selected, false);
        }
    }
}

void TableView::selectRowAtIndexPath(IndexPath indexPath) {
    if (flatRow(indexPath) < 0) {
        return;
    }
    markSelection(false);
    selected_ = indexPath;
    markSelection(true);
    if (delegate_) {
        delegate_->tableViewDidSelectRowAtIndexPath(*this, indexPath);
    }
}

void TableView::scrollToRowAtIndexPath(IndexPath indexPath, bool animated) {
    if (flatRow(indexPath) >= 0) {
        scrollRectToVisible(rectForRowAtIndexPath(indexPath), animated);
    }
}

void TableView::didTap(Point location) {
    if (std::optional<IndexPath> row = indexPathForRowAtPoint(location)) {
        selectRowAtIndexPath(*row);
    }
}
