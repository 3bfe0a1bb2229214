// Layout resources: one JSON file per screen and profile ("iPhone/NAME.json",
// "iPad/NAME_ipad.json" in the resources directory) that lists the screen's widgets. Loading
// creates the widgets into the screen's root view, names each after its outlet, registers the
// outlets with the screen and points each control's action at the screen.
//
//   { "background": "#000000",
//     "widgets": [
//       { "type": "ImageView", "outlet": "gun", "frame": [10, 20, 200, 100], "image": "gun.png" },
//       { "type": "View", "outlet": "settingsView", "frame": [90, 330, 300, 200],
//         "children": [ { "type": "Switch", "outlet": "musicSwitch", "frame": [20, 20, 80, 30],
//                         "on": true, "action": "saveMusicToSettings" } ] } ] }
//
// Every widget: "type" (View, ImageView, Label, Button, Switch, TextField,
// ActivityIndicatorView, ScrollView, PageControl, PickerView, TableView, or a view class the screen
// registered by that name), "outlet", "frame" [x, y, width, height] (an image view without one
// takes its picture's natural size), "hidden", "alpha", "interaction" (touches; off by default
// for image views and labels), "background" ("#RRGGBB" or "#RRGGBBAA"), "clips" (subviews drawn
// only inside the bounds), "children".
// Label: "text", "font", "fontSize", "textColor", "alignment" (left, center, right), "lines".
// Button: "title", "font", "fontSize", "titleColor", "image", "highlightedImage", "enabled",
// "action". Switch: "on", "action". TextField: "text", "placeholder", "secure", "action".
// ImageView: "image". ActivityIndicatorView: "animating". ScrollView (its children are the
// content, in content coordinates): "contentSize" [w, h], "contentOffset" [x, y], "paging",
// "scrollEnabled", "bounces". PageControl: "numberOfPages", "currentPage", "action".
// PickerView: "rowHeight" (its screen connects the data source and the delegate). TableView:
// the keys of a ScrollView, "rowHeight" and "separatorColor" (its rows come from its data
// source).
// A control's "target" names an outlet, a view with actions of its own, that its action goes to
// instead of the screen. A view class with outlets of its own takes "outlets": an object of
// outlet names and widgets, laid out but added nowhere: the class attaches them itself. Once
// the whole layout is built, every widget hears awakeFromNib(), in layout order.
//
// Problems (a missing file, bad JSON, an entry with an unknown type or key, a value of the wrong
// kind, an action its target does not have) are reported on standard error with the file and
// the entry's place; the faulty entry or key is skipped and loading goes on. Nothing throws.
#pragma once

#include <string_view>

class View;
class ViewController;

// Loads `controller`'s layout resource into `root`; false when anything was reported.
bool loadLayout(ViewController& controller, View& root);
// The same from JSON text; `source` names it in messages.
bool loadLayoutText(std::string_view text, std::string_view source, ViewController& controller,
                    View& root);
