// The ranking row's labels and their columns.
#include "online/CustomCellWyniki.h"

#include <memory>

#include "platform/Label.h"

namespace {

constexpr double kLabelHeight = 30;
constexpr Color kLabelBackground{0, 0, 0, 0.5};

}  // namespace

CustomCellWyniki::CustomCellWyniki(int style, std::string reuseIdentifier,
                                   const DeviceProfile& profile)
    : TableViewCell(style, std::move(reuseIdentifier)),
      values_(CustomCellWynikiValues::forProfile(profile)),
      miejsce_(addColumn("miejsce", true)),
      nazwa_usera_(addColumn("nazwa_usera", false)),
      punkty_(addColumn("punkty", false)),
      panstwo_(addColumn("panstwo", false)) {}

Label* CustomCellWyniki::addColumn(const std::string& name, bool centred) {
    auto label = std::make_unique<Label>();
    label->setName(name);
    label->setFont("DejaVuSans-Bold", values_.fontSize);
    label->setTextColor(Color::white());
    label->setBackgroundColor(kLabelBackground);
    label->setAlignment(centred ? TextAlignment::Center : TextAlignment::Left);
    return &contentView().addSubview(std::move(label));
}

void CustomCellWyniki::layoutSubviews() {
    TableViewCell::layoutSubviews();
    const double left = contentView().bounds().x;
    const auto place = [left](Label& label, CustomCellWynikiValues::Column column) {
        label.setFrame({left + column.x, 0, column.width, kLabelHeight});
    };
    place(*miejsce_, values_.miejsce);
    place(*nazwa_usera_, values_.nazwa_usera);
    place(*punkty_, values_.punkty);
    place(*panstwo_, values_.panstwo);
}
