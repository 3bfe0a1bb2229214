// Rows, selection and spinning of the picker wheel.
#include "platform/PickerView.h"

#include <algorithm>
#include <cmath>

#include "platform/Touch.h"

namespace {
// A finger that moves less than this is a tap on a row, not a spin.
constexpr double kSpinThreshold = 4;
// How far past its first or last row a column follows the finger, in rows.
constexpr double kOverspin = 0.4;
}  // namespace

void PickerView::setDataSource(PickerViewDataSource* dataSource) {
    dataSource_ = dataSource;
    reloadAllComponents();
}

void PickerView::setRowHeight(double height) {
    if (height > 0) {
        rowHeight_ = height;
    }
}

int PickerView::numberOfComponents() const {
    return dataSource_ ? std::max(0, dataSource_->numberOfComponentsInPickerView(*this)) : 0;
}

int PickerView::numberOfRowsInComponent(int component) const {
    if (!dataSource_ || component < 0 || component >= numberOfComponents()) {
        return 0;
    }
    return std::max(0, dataSource_->pickerViewNumberOfRowsInComponent(*this, component));
}

std::string PickerView::titleForRow(int row, int component) const {
    return delegate_ ? delegate_->pickerViewTitleForRow(*this, row, component) : std::string();
}

void PickerView::reloadAllComponents() {
    columns_.resize(static_cast<size_t>(numberOfComponents()));
    for (size_t component = 0; component < columns_.size(); ++component) {
        const int last = numberOfRowsInComponent(static_cast<int>(component)) - 1;
        Column& entry = columns_[component];
        entry.selected = std::clamp(entry.selected, 0, std::max(0, last));
        entry.shown = entry.selected;
    }
}

PickerView::Column* PickerView::column(int component) {
    if (component < 0 || component >= static_cast<int>(columns_.size())) {
        return nullptr;
    }
    return &columns_[static_cast<size_t>(component)];
}

const PickerView::Column* PickerView::column(int component) const {
    return const_cast<PickerView*>(this)->column(component);
}

int PickerView::selectedRowInComponent(int component) const {
    const Column* entry = column(component);
    return entry && numberOfRowsInComponent(component) > 0 ? entry->selected : -1;
}

void PickerView::selectRow(int row, int component) {
    Column* entry = column(component);
    if (!entry || row < 0 || row >= numberOfRowsInComponent(component)) {
        return;
    }
    entry->selected = row;
    entry->shown = row;
}

bool PickerView::spinToRow(int row, int component) {
    if (!column(component) || row < 0 || row >= numberOfRowsInComponent(component)) {
        return false;
    }
    selectRow(row, component);
    if (delegate_) {
        delegate_->pickerViewDidSelectRow(*this, row, component);
    }
    return true;
}

double PickerView::presentedRow(int component) const {
    const Column* entry = column(component);
    return entry ? entry->shown : 0;
}

int PickerView::componentAt(double x) const {
    const int count = static_cast<int>(columns_.size());
    const double width = bounds().width;
    if (count == 0 || width <= 0 || x < 0 || x >= width) {
        return -1;
    }
    return std::min(count - 1, static_cast<int>(x / (width / count)));
}

bool PickerView::isFinger(const TouchSet& touches) const {
    return finger_ && std::find(touches.begin(), touches.end(), finger_) != touches.end();
}

void PickerView::touchesBegan(const TouchSet& touches, const TouchEvent& event) {
    (void)event;
    if (finger_) {
        return;  // one finger spins at a time
    }
    const Point at = touches.front()->locationInView(this);
    const int component = componentAt(at.x);
    if (component < 0 || numberOfRowsInComponent(component) == 0) {
        return;
    }
    finger_ = touches.front();
    spinning_ = component;
    startY_ = at.y;
    startRow_ = column(component)->shown;
    moved_ = false;
}

void PickerView::touchesMoved(const TouchSet& touches, const TouchEvent& event) {
    (void)event;
    if (!isFinger(touches)) {
        return;
    }
    Column* entry = column(spinning_);
    if (!entry) {
        return;
    }
    const double travel = finger_->locationInView(this).y - startY_;
    moved_ = moved_ || std::abs(travel) >= kSpinThreshold;
    if (moved_) {
        // Dragging down brings the rows above into the middle.
        const double last = numberOfRowsInComponent(spinning_) - 1;
        entry->shown = std::clamp(startRow_ - travel / rowHeight_, -kOverspin, last + kOverspin);
    }
}

void PickerView::touchesEnded(const TouchSet& touches, const TouchEvent& event) {
    if (!isFinger(touches)) {
        return;
    }
    touchesMoved(touches, event);
    const int component = spinning_;
    const Column* entry = column(component);
    double restingRow = entry ? entry->shown : 0;
    if (!moved_) {
        // A tap: the row under the finger, counted from the middle line.
        const double middle = bounds().height / 2;
        restingRow += (finger_->locationInView(this).y - middle) / rowHeight_;
    }
    finger_ = nullptr;
    spinning_ = -1;
    if (!entry) {
        return;
    }
    const int last = numberOfRowsInComponent(component) - 1;
    spinToRow(std::clamp(static_cast<int>(std::lround(restingRow)), 0, std::max(0, last)),
              component);
}

void PickerView::touchesCancelled(const TouchSet& touches, const TouchEvent& event) {
    (void)event;
    if (!isFinger(touches)) {
        return;
    }
    if (Column* entry = column(spinning_)) {
        entry->shown = entry->selected;
    }
    finger_ = nullptr;
    spinning_ = -1;
}
