// A wheel of rows to choose from, in one or more side-by-side columns (components). The rows
// come from a data source, their titles from a delegate, which also hears of each choice. A
// finger dragging up or down spins the column under it; when it lifts, the column comes to rest
// on the row nearest the middle line, that row is selected and the delegate is told. A tap on a
// row above or below the middle line selects that row the same way. Selecting a row from the
// program tells nobody.
#pragma once

#include <string>
#include <vector>

#include "platform/View.h"

class PickerView;

class PickerViewDataSource {
public:
    virtual ~PickerViewDataSource() = default;
    virtual int numberOfComponentsInPickerView(const PickerView& picker) = 0;
    virtual int pickerViewNumberOfRowsInComponent(const PickerView& picker, int component) = 0;
};

class PickerViewDelegate {
public:
    virtual ~PickerViewDelegate() = default;
    virtual std::string pickerViewTitleForRow(const PickerView& picker, int row, int component) = 0;
    // A spin (or a tap on a row) came to rest on `row`.
    virtual void pickerViewDidSelectRow(PickerView& picker, int row, int component) {
        (void)picker;
        (void)row;
        (void)component;
    }
};

class PickerView : public View {
public:
    static constexpr double kDefaultRowHeight = 32;

    std::string_view typeName() const override { return "PickerView"; }

    // Both are kept by pointer and must outlive the picker's use of them (a screen that owns
    // the picker's view). Setting the data source reloads the rows.
    void setDataSource(PickerViewDataSource* dataSource);
    void setDelegate(PickerViewDelegate* delegate) { delegate_ = delegate; }

    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double height);

    int numberOfComponents() const;
    int numberOfRowsInComponent(int component) const;
    // The delegate's title, or empty without one.
    std::string titleForRow(int row, int component) const;

    // Asks the data source again; selections beyond the new last row move to it.
    void reloadAllComponents();
    // The selected row of a column: 0 until another is chosen, -1 for a column without rows.
    int selectedRowInComponent(int component) const;
    // Shows `row` on the middle line and selects it; the delegate is not told. A row or column
    // out of range is ignored.
    void selectRow(int row, int component);
    // As a spin that comes to rest on `row`: selects it and tells the delegate. False, with
    // nothing changed, when the row or column does not exist.
    bool spinToRow(int row, int component);

    // The row shown on the middle line, fractional while a finger spins the column.
    double presentedRow(int component) const;
    // The column under a point (x in the picker's coordinates); -1 when there is none.
    int componentAt(double x) const;

    void touchesBegan(const TouchSet& touches, const TouchEvent& event) override;
    void touchesMoved(const TouchSet& touches, const TouchEvent& event) override;
    void touchesEnded(const TouchSet& touches, const TouchEvent& event) override;
    void touchesCancelled(const TouchSet& touches, const TouchEvent& event) override;

private:
    struct Column {
        int selected = 0;
        double shown = 0;  // the row on the middle line
    };
    Column* column(int component);
    const Column* column(int component) const;
    bool isFinger(const TouchSet& touches) const;

    PickerViewDataSource* dataSource_ = nullptr;
    PickerViewDelegate* delegate_ = nullptr;
    double rowHeight_ = kDefaultRowHeight;
    std::vector<Column> columns_;

    // The finger spinning a column, the column, and where it went down.
    const Touch* finger_ = nullptr;
    int spinning_ = -1;
    double startY_ = 0;
    double startRow_ = 0;
    bool moved_ = false;
};
