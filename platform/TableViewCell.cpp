// The table row's content view and selection.
#include "platform/TableViewCell.h"

#include <memory>

TableViewCell::TableViewCell(int style, std::string reuseIdentifier)
    : style_(style),
      reuseIdentifier_(std::move(reuseIdentifier)),
      contentView_(&addSubview(std::make_unique<View>())) {
    contentView_->setName("contentView");
}

void TableViewCell::layoutSubviews() {
    const Rect shown = bounds();
    contentView_->setFrame({0, 0, shown.width, shown.height});
}

void TableViewCell::setSelected(bool selected, bool animated) {
    (void)animated;
    selected_ = selected;
}
