// Building a screen's widgets from its JSON layout resource.
#include "platform/LayoutLoader.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "QvJSON.h"
#include "platform/ActionTarget.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/Bundle.h"
#include "platform/Button.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/PageControl.h"
#include "platform/PickerView.h"
#include "platform/ScrollView.h"
#include "platform/Switch.h"
#include "platform/TableView.h"
#include "platform/TextField.h"
#include "platform/ViewController.h"

namespace {

std::optional<Color> parseColor(const std::string& text) {
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#') {
        return std::nullopt;
    }
    double components[4] = {0, 0, 0, 1};
    for (size_t i = 0; i * 2 + 1 < text.size(); ++i) {
        int value = 0;
        for (char digit : text.substr(1 + i * 2, 2)) {
            value *= 16;
            if (digit >= '0' && digit <= '9') {
                value += digit - '0';
            } else if (digit >= 'a' && digit <= 'f') {
                value += digit - 'a' + 10;
            } else if (digit >= 'A' && digit <= 'F') {
                value += digit - 'A' + 10;
            } else {
                return std::nullopt;
            }
        }
        components[i] = value / 255.0;
    }
    return Color{components[0], components[1], components[2], components[3]};
}

// Reads one layout; every problem is reported with the file and the entry's place.
class LayoutReader {
public:
    LayoutReader(std::string_view source, ViewController& controller)
        : source_(source), controller_(controller) {}

    bool read(std::string_view text, View& root);

private:
    void readWidgets(const QvJsonValue& list, const std::string& place, View& parent);
    // The widget of `entry` with its children and outlets, not yet in any superview; null
    // (reported) when it cannot be made.
    std::unique_ptr<View> readWidget(const QvJsonValue& entry, const std::string& place);
    std::unique_ptr<View> makeWidget(const std::string& type);
    void readViewOutlets(const QvJsonValue& outlets, const std::string& place, View& owner);
    // Points controls whose "target" names a view at that view, once every outlet is known.
    void connectTargets();
    // Applies one key; false when the key does not belong to this kind of widget.
    bool applyKey(View& widget, const std::string& key, const QvJsonValue& value,
                  const std::string& place);

    bool applyScrollKey(ScrollView& scroll, const std::string& key, const QvJsonValue& value,
                        const std::string& place);
    std::optional<Point> pair(const QvJsonValue& value, const std::string& place,
                              const std::string& key);

    std::optional<std::string> text(const QvJsonValue& value, const std::string& place,
                                    const std::string& key);
    std::optional<double> number(const QvJsonValue& value, const std::string& place,
                                 const std::string& key);
    std::optional<bool> flag(const QvJsonValue& value, const std::string& place,
                             const std::string& key);
    std::optional<Color> color(const QvJsonValue& value, const std::string& place,
                               const std::string& key);
    void report(const std::string& place, const std::string& problem);

    struct NamedTarget {
        Control* control;
        std::string target;
        std::string place;
    };

    std::string source_;
    ViewController& controller_;
    std::vector<NamedTarget> namedTargets_;
    std::vector<View*> made_;  // every widget, in layout order, for awakeFromNib
    bool clean_ = true;
};

bool LayoutReader::read(std::string_view text, View& root) {
    QvJSON parser;
    QvJsonError error;
    std::optional<QvJsonValue> document = parser.objectWithString(text, &error);
    if (!document) {
        std::string reason = error.description;
        for (auto inner = error.underlyingError; inner; inner = inner->underlyingError) {
            reason += "; " + inner->description;
        }
        report("", "not valid JSON: " + reason);
        return false;
    }
    const QvJsonObject* top = document->asObject();
    if (!top) {
        report("", "the layout must be an object with a \"widgets\" list");
        return false;
    }
    for (const QvJsonMember& member : *top) {
        if (member.key == "widgets") {
            readWidgets(member.value, "widgets", root);
        } else if (member.key == "background") {
            if (std::optional<Color> background = color(member.value, "", member.key)) {
                root.setBackgroundColor(*background);
            }
        } else {
            report("", "unknown key \"" + member.key + "\"");
        }
    }
    connectTargets();
    for (View* view : made_) {
        view->awakeFromNib();
    }
    return clean_;
}

void LayoutReader::readWidgets(const QvJsonValue& list, const std::string& place, View& parent) {
    const QvJsonArray* entries = list.asArray();
    if (!entries) {
        report(place, "must be a list of widgets");
        return;
    }
    for (size_t i = 0; i < entries->size(); ++i) {
        if (std::unique_ptr<View> widget =
                readWidget((*entries)[i], place + "[" + std::to_string(i) + "]")) {
            parent.addSubview(std::move(widget));
        }
    }
}

std::unique_ptr<View> LayoutReader::readWidget(const QvJsonValue& entry, const std::string& place) {
    const QvJsonObject* fields = entry.asObject();
    if (!fields) {
        report(place, "a widget must be an object");
        return nullptr;
    }
    const std::string* type = entry["type"].asString();
    if (!type) {
        report(place, "missing \"type\"");
        return nullptr;
    }
    std::unique_ptr<View> widget = makeWidget(*type);
    if (!widget) {
        report(place, "unknown widget type \"" + *type + "\"");
        return nullptr;
    }
    made_.push_back(widget.get());
    const std::string where = place + " (" + *type + ")";
    bool hasFrame = false;
    bool aimedAtView = false;  // its action is checked once every outlet is known
    const QvJsonValue* children = nullptr;
    const QvJsonValue* outlets = nullptr;
    for (const QvJsonMember& member : *fields) {
        if (member.key == "type") {
            continue;
        }
        if (member.key == "children") {
            children = &member.value;
        } else if (member.key == "outlets") {
            outlets = &member.value;
        } else if (member.key == "target") {
            auto* control = dynamic_cast<Control*>(widget.get());
            std::optional<std::string> target =
                control ? text(member.value, where, member.key) : std::nullopt;
            if (!control) {
                report(where, "\"target\" is for controls only");
            } else if (target) {
                namedTargets_.push_back({control, *target, where});
                aimedAtView = true;
            }
        } else if (member.key == "frame") {
            hasFrame = true;
            const QvJsonArray* values = member.value.asArray();
            double frame[4];
            bool valid = values && values->size() == 4;
            for (size_t i = 0; valid && i < 4; ++i) {
                const QvDecimal* component = (*values)[i].asNumber();
                valid = component != nullptr;
                frame[i] = valid ? component->doubleValue() : 0;
            }
            if (valid) {
                widget->setFrame({frame[0], frame[1], frame[2], frame[3]});
            } else {
                report(where, "\"frame\" must be four numbers [x, y, width, height]");
            }
        } else if (!applyKey(*widget, member.key, member.value, where)) {
            report(where, "unknown key \"" + member.key + "\" for " + *type);
        }
    }
    if (auto* image = dynamic_cast<ImageView*>(widget.get()); image && !hasFrame) {
        widget->setFrame({0, 0, image->imageSize().width, image->imageSize().height});
    }
    if (children) {
        readWidgets(*children, place + ".children", *widget);
    }
    if (outlets) {
        readViewOutlets(*outlets, place + ".outlets", *widget);
    }
    auto* control = dynamic_cast<Control*>(widget.get());
    if (control && !aimedAtView && !control->action().empty() &&
        !controller_.hasAction(control->action())) {
        report(where, "the screen has no action \"" + control->action() + "\"");
    }
    return widget;
}

void LayoutReader::readViewOutlets(const QvJsonValue& outlets, const std::string& place,
                                   View& owner) {
    const QvJsonObject* entries = outlets.asObject();
    if (!entries) {
        report(place, "must be an object of outlet names and widgets");
        return;
    }
    const std::vector<std::string_view> names = owner.outletNames();
    for (const QvJsonMember& member : *entries) {
        const std::string where = place + "." + member.key;
        if (std::find(names.begin(), names.end(), member.key) == names.end()) {
            report(where,
                   "a " + std::string(owner.typeName()) + " has no outlet \"" + member.key + "\"");
            continue;
        }
        if (std::unique_ptr<View> widget = readWidget(member.value, where)) {
            if (widget->name().empty()) {
                widget->setName(member.key);
            }
            owner.setViewOutlet(member.key, std::move(widget));
        }
    }
}

void LayoutReader::connectTargets() {
    for (const NamedTarget& named : namedTargets_) {
        auto* target = dynamic_cast<ActionTarget*>(controller_.outletView(named.target));
        if (!target) {
            report(named.place, "no outlet \"" + named.target + "\" that takes actions");
            named.control->setAction(nullptr, "");
            continue;
        }
        if (!target->hasAction(named.control->action())) {
            report(named.place,
                   "\"" + named.target + "\" has no action \"" + named.control->action() + "\"");
        }
        named.control->setAction(target, named.control->action());
    }
}

std::unique_ptr<View> LayoutReader::makeWidget(const std::string& type) {
    if (std::unique_ptr<View> own = controller_.makeViewOfClass(type)) {
        return own;
    }
    static const std::map<std::string, std::function<std::unique_ptr<View>()>> factories = {
        {"View", [] { return std::make_unique<View>(); }},
        {"ImageView", [] { return std::make_unique<ImageView>(); }},
        {"Label", [] { return std::make_unique<Label>(); }},
        {"Button", [] { return std::make_unique<Button>(); }},
        {"Switch", [] { return std::make_unique<Switch>(); }},
        {"TextField", [] { return std::make_unique<TextField>(); }},
        {"ActivityIndicatorView", [] { return std::make_unique<ActivityIndicatorView>(); }},
        {"ScrollView", [] { return std::make_unique<ScrollView>(); }},
        {"PageControl", [] { return std::make_unique<PageControl>(); }},
        {"PickerView", [] { return std::make_unique<PickerView>(); }},
        {"TableView", [] { return std::make_unique<TableView>(); }},
    };
    auto factory = factories.find(type);
    return factory == factories.end() ? nullptr : factory->second();
}

bool LayoutReader::applyKey(View& widget, const std::string& key, const QvJsonValue& value,
                            const std::string& place) {
    // Keys every view understands.
    if (key == "outlet") {
        if (std::optional<std::string> name = text(value, place, key)) {
            widget.setName(*name);
            controller_.setOutlet(*name, &widget);
        }
        return true;
    }
    if (key == "hidden") {
        if (std::optional<bool> hidden = flag(value, place, key)) {
            widget.setHidden(*hidden);
        }
        return true;
    }
    if (key == "alpha") {
        if (std::optional<double> alpha = number(value, place, key)) {
            widget.setAlpha(*alpha);
        }
        return true;
    }
    if (key == "interaction") {
        if (std::optional<bool> enabled = flag(value, place, key)) {
            widget.setUserInteractionEnabled(*enabled);
        }
        return true;
    }
    if (key == "background") {
        if (std::optional<Color> background = color(value, place, key)) {
            widget.setBackgroundColor(*background);
        }
        return true;
    }
    if (key == "clips") {
        if (std::optional<bool> clips = flag(value, place, key)) {
            widget.setClipsToBounds(*clips);
        }
        return true;
    }
    auto* picker = dynamic_cast<PickerView*>(&widget);
    auto* table = dynamic_cast<TableView*>(&widget);
    if ((picker || table) && key == "rowHeight") {
        if (std::optional<double> height = number(value, place, key); height && *height > 0) {
            picker ? picker->setRowHeight(*height) : table->setRowHeight(*height);
        } else if (height) {
            report(place, "\"rowHeight\" must be above 0");
        }
        return true;
    }
    if (table && key == "separatorColor") {
        if (std::optional<Color> separator = color(value, place, key)) {
            table->setSeparatorColor(*separator);
        }
        return true;
    }
    if (auto* scroll = dynamic_cast<ScrollView*>(&widget)) {
        return applyScrollKey(*scroll, key, value, place);
    }
    if (auto* pages = dynamic_cast<PageControl*>(&widget);
        pages && (key == "numberOfPages" || key == "currentPage")) {
        if (std::optional<double> count = number(value, place, key)) {
            key == "numberOfPages" ? pages->setNumberOfPages(static_cast<int>(*count))
                                   : pages->setCurrentPage(static_cast<int>(*count));
        }
        return true;
    }

    auto* label = dynamic_cast<Label*>(&widget);
    auto* button = dynamic_cast<Button*>(&widget);
    auto* field = dynamic_cast<TextField*>(&widget);
    auto* control = dynamic_cast<Control*>(&widget);
    if (key == "action" && control) {
        if (std::optional<std::string> action = text(value, place, key)) {
            control->setAction(&controller_, *action);
        }
        return true;
    }
    if (key == "font" && (label || button)) {
        if (std::optional<std::string> font = text(value, place, key)) {
            if (label) {
                label->setFont(*font, label->fontSize());
            } else if (button) {
                button->setFont(*font, button->fontSize());
            }
        }
        return true;
    }
    if (key == "fontSize" && (label || button)) {
        if (std::optional<double> size = number(value, place, key)) {
            if (label) {
                label->setFont(label->fontName(), *size);
            } else if (button) {
                button->setFont(button->fontName(), *size);
            }
        }
        return true;
    }
    if (key == "text" && (label || field)) {
        if (std::optional<std::string> content = text(value, place, key)) {
            if (label) {
                label->setText(*content);
            } else {
                field->setText(*content);
            }
        }
        return true;
    }
    if (label) {
        if (key == "textColor") {
            if (std::optional<Color> textColor = color(value, place, key)) {
                label->setTextColor(*textColor);
            }
            return true;
        }
        if (key == "lines") {
            if (std::optional<double> lines = number(value, place, key)) {
                label->setNumberOfLines(static_cast<int>(*lines));
            }
            return true;
        }
        if (key == "alignment") {
            if (std::optional<std::string> alignment = text(value, place, key)) {
                if (*alignment == "left") {
                    label->setAlignment(TextAlignment::Left);
                } else if (*alignment == "center") {
                    label->setAlignment(TextAlignment::Center);
                } else if (*alignment == "right") {
                    label->setAlignment(TextAlignment::Right);
                } else {
                    report(place, "\"alignment\" must be left, center or right");
                }
            }
            return true;
        }
    }
    if (button) {
        if (key == "title") {
            if (std::optional<std::string> title = text(value, place, key)) {
                button->setTitle(*title);
            }
            return true;
        }
        if (key == "titleColor") {
            if (std::optional<Color> titleColor = color(value, place, key)) {
                button->setTitleColor(*titleColor);
            }
            return true;
        }
        if (key == "image" || key == "highlightedImage") {
            if (std::optional<std::string> image = text(value, place, key)) {
                key == "image" ? button->setImage(*image) : button->setHighlightedImage(*image);
            }
            return true;
        }
    }
    if (key == "enabled" && control) {
        if (std::optional<bool> enabled = flag(value, place, key)) {
            control->setEnabled(*enabled);
        }
        return true;
    }
    if (auto* image = dynamic_cast<ImageView*>(&widget); image && key == "image") {
        if (std::optional<std::string> name = text(value, place, key)) {
            image->setImage(*name);
        }
        return true;
    }
    if (auto* toggle = dynamic_cast<Switch*>(&widget); toggle && key == "on") {
        if (std::optional<bool> on = flag(value, place, key)) {
            toggle->setOn(*on);
        }
        return true;
    }
    if (field && (key == "placeholder" || key == "secure")) {
        if (key == "secure") {
            if (std::optional<bool> secure = flag(value, place, key)) {
                field->setSecureTextEntry(*secure);
            }
        } else if (std::optional<std::string> placeholder = text(value, place, key)) {
            field->setPlaceholder(*placeholder);
        }
        return true;
    }
    if (auto* indicator = dynamic_cast<ActivityIndicatorView*>(&widget);
        indicator && key == "animating") {
        if (std::optional<bool> animating = flag(value, place, key)) {
            *animating ? indicator->startAnimating() : indicator->stopAnimating();
        }
        return true;
    }
    return false;
}

bool LayoutReader::applyScrollKey(ScrollView& scroll, const std::string& key,
                                  const QvJsonValue& value, const std::string& place) {
    if (key == "contentSize" || key == "contentOffset") {
        if (std::optional<Point> numbers = pair(value, place, key)) {
            key == "contentSize" ? scroll.setContentSize({numbers->x, numbers->y})
                                 : scroll.setContentOffset(*numbers);
        }
        return true;
    }
    if (key == "paging" || key == "scrollEnabled" || key == "bounces") {
        if (std::optional<bool> on = flag(value, place, key)) {
            if (key == "paging") {
                scroll.setPagingEnabled(*on);
            } else if (key == "scrollEnabled") {
                scroll.setScrollEnabled(*on);
            } else {
                scroll.setBounces(*on);
            }
        }
        return true;
    }
    return false;
}

std::optional<Point> LayoutReader::pair(const QvJsonValue& value, const std::string& place,
                                        const std::string& key) {
    const QvJsonArray* values = value.asArray();
    const QvDecimal* first = values && values->size() == 2 ? (*values)[0].asNumber() : nullptr;
    const QvDecimal* second = values && values->size() == 2 ? (*values)[1].asNumber() : nullptr;
    if (!first || !second) {
        report(place, "\"" + key + "\" must be two numbers");
        return std::nullopt;
    }
    return Point{first->doubleValue(), second->doubleValue()};
}

std::optional<std::string> LayoutReader::text(const QvJsonValue& value, const std::string& place,
                                              const std::string& key) {
    if (const std::string* content = value.asString()) {
        return *content;
    }
    report(place, "\"" + key + "\" must be a text");
    return std::nullopt;
}

std::optional<double> LayoutReader::number(const QvJsonValue& value, const std::string& place,
                                           const std::string& key) {
    if (const QvDecimal* content = value.asNumber()) {
        return content->doubleValue();
    }
    report(place, "\"" + key + "\" must be a number");
    return std::nullopt;
}

std::optional<bool> LayoutReader::flag(const QvJsonValue& value, const std::string& place,
                                       const std::string& key) {
    if (std::optional<bool> content = value.asBool()) {
        return content;
    }
    report(place, "\"" + key + "\" must be true or false");
    return std::nullopt;
}

std::optional<Color> LayoutReader::color(const QvJsonValue& value, const std::string& place,
                                         const std::string& key) {
    const std::string* content = value.asString();
    std::optional<Color> parsed = content ? parseColor(*content) : std::nullopt;
    if (!parsed) {
        report(place, "\"" + key + "\" must be a colour \"#RRGGBB\" or \"#RRGGBBAA\"");
    }
    return parsed;
}

void LayoutReader::report(const std::string& place, const std::string& problem) {
    clean_ = false;
    std::cerr << "layout " << source_ << (place.empty() ? "" : ": " + place) << ": " << problem
              << "\n";
}

}  // namespace

bool loadLayout(ViewController& controller, View& root) {
    const std::string resource = controller.profile().layoutResource(controller.layoutName());
    const std::optional<std::string> path = Bundle::main().pathForResource(resource, "");
    if (!path) {
        std::cerr << "layout " << resource << ": no such resource in \""
                  << Bundle::main().resourcesDirectory() << "\"\n";
        return false;
    }
    std::ifstream file(*path, std::ios::binary);
    std::ostringstream content;
    if (file.is_open()) {
        content << file.rdbuf();
    }
    if (!file.is_open() || file.bad()) {
        std::cerr << "layout " << resource << ": cannot read " << *path << "\n";
        return false;
    }
    return loadLayoutText(content.str(), resource, controller, root);
}

bool loadLayoutText(std::string_view text, std::string_view source, ViewController& controller,
                    View& root) {
    return LayoutReader(source, controller).read(text, root);
}
