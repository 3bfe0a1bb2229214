// The encyclopedia's two-face view: the first face `main` (the list of guns) and the second
// `sponsor` (a gun's page), both laid out by the screen's layout and attached here. `go` turns
// the view over to the page, `back` (the page's return control) to the list. The faces are only
// swapped, never made again, so the list keeps where it was scrolled to and the page its
// picture.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ActionTarget.h"
#include "platform/View.h"

class flip : public View, public ActionTarget {
public:
    flip();

    std::string_view typeName() const override { return "flip"; }
    std::vector<std::string_view> outletNames() const override { return {"main", "sponsor"}; }
    void setViewOutlet(std::string_view name, std::unique_ptr<View> view) override;
    // Starts on the first face.
    void awakeFromNib() override;

    // Turns to the page face in 1.0 s, from the left; a page already shown stays.
    void go();
    // Turns back to the list face, from the right.
    void back();

    View* main() const { return main_.get(); }
    View* sponsor() const { return sponsor_.get(); }

protected:
    std::string actionTargetName() const override { return std::string(typeName()); }

private:
    void turn(ViewTransition transition, View* leaving, View* arriving);

    // Owned here whether shown or not: a face leaving the view is not destroyed.
    std::unique_ptr<View> main_;
    std::unique_ptr<View> sponsor_;
};

class flip_ipad : public flip {
public:
    std::string_view typeName() const override { return "flip_ipad"; }
};
