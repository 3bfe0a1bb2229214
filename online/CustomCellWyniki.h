// One row of the global ranking: four labels side by side in the content view, the place, the
// user name, the points and the country, each in bold white text on half-transparent black.
// The tablet twin only selects the tablet's font size and column widths.
#pragma once

#include <string>

#include "online/CustomCellWynikiValues.h"
#include "platform/TableViewCell.h"

class Label;

class CustomCellWyniki : public TableViewCell {
public:
    CustomCellWyniki(int style, std::string reuseIdentifier)
        : CustomCellWyniki(style, std::move(reuseIdentifier), DeviceProfile::phone()) {}

    std::string_view typeName() const override { return "CustomCellWyniki"; }

    // The labels get the frames of their columns, 30 points high at the content view's top.
    void layoutSubviews() override;

    Label& miejsce() const { return *miejsce_; }
    Label& nazwa_usera() const { return *nazwa_usera_; }
    Label& punkty() const { return *punkty_; }
    Label& panstwo() const { return *panstwo_; }

protected:
    CustomCellWyniki(int style, std::string reuseIdentifier, const DeviceProfile& profile);

private:
    Label* addColumn(const std::string& name, bool centred);

    CustomCellWynikiValues values_;
    Label* miejsce_;
    Label* nazwa_usera_;
    Label* punkty_;
    Label* panstwo_;
};

class CustomCellWyniki_ipad : public CustomCellWyniki {
public:
    CustomCellWyniki_ipad(int style, std::string reuseIdentifier)
        : CustomCellWyniki(style, std::move(reuseIdentifier), DeviceProfile::tablet()) {}

    std::string_view typeName() const override { return "CustomCellWyniki_ipad"; }
};
