// One row of a table view. The cell's own views go into its content view, which fills the
// cell; a cell made with a reuse identifier can be handed back by the table when its row leaves
// the screen and filled again for another row.
#pragma once

#include <string>

#include "platform/View.h"

class TableViewCell : public View {
public:
    // `style` 0 is the default style, the only one: a plain content view.
    TableViewCell(int style, std::string reuseIdentifier);

    std::string_view typeName() const override { return "TableViewCell"; }

    int style() const { return style_; }
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    View& contentView() { return *contentView_; }
    const View& contentView() const { return *contentView_; }

    // Called by the table whenever it places the cell: the content view fills the cell; a
    // subclass then lays out its own views inside the content view.
    virtual void layoutSubviews();
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected, bool animated);

private:
    int style_;
    std::string reuseIdentifier_;
    View* contentView_;
    bool selected_ = false;
};
