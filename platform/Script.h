// Scripted sessions: the text form of the steps that drive the program as a person would and
// check what they see. One step a line; blank lines and lines starting with '#' are skipped.
//
//   wait SECONDS                      let the run loop run
//   tap OUTLET | tap X,Y              a finger down and up at the view's centre (or the point)
//   drag FROM TO                      down at FROM, a few moves, up at TO (outlets or points)
//   down TARGET | up | cancel         a finger that stays down across steps (a tap or drag
//                                     meanwhile is a second finger), then lifts or is cancelled
//   action NAME                       the top screen's action, as if its button were pressed
//   type OUTLET TEXT                  text entered into a text field (TEXT: rest of the line)
//   expect OUTLET.PROPERTY = VALUE    text, hidden, on (true/false), frame (x,y,w,h), image,
//                                     textColor (#RRGGBB), contentOffset (x,y) and page (N)
//                                     of scroll views
//   pick OUTLET ROW                   a picker's row chosen as a spin would (delegate told)
//   expect-alert TITLE                an alert with that title is showing (TITLE: rest of line)
//   alert-button TITLE                that button of the showing alert is pressed
//   expect-screen CLASS               the class of the screen on top of the stack
//   open CLASS ARGS...                a new screen by class name, pushed
//   screenshot FILE                   a PNG of what the window shows
//
// Parsing finds every malformed line before anything runs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

// Where a tap or drag goes: a named view's centre, or a point in the root view's coordinates.
struct ScriptTarget {
    ScriptTarget(std::string outletName) : outlet(std::move(outletName)) {}
    ScriptTarget(const char* outletName) : outlet(outletName) {}
    ScriptTarget(Point location) : point(location) {}

    std::string outlet;  // empty when `point` is set
    std::optional<Point> point;
};

enum class ScriptStepKind {
    Wait,
    Tap,
    Drag,
    Down,
    Up,
    Cancel,
    Action,
    Type,
    Expect,
    ExpectScreen,
    Open,
    Screenshot,
    Pick,
    ExpectAlert,
    AlertButton
};

struct ScriptStep {
    int line = 0;
    ScriptStepKind kind = ScriptStepKind::Wait;
    double seconds = 0;                 // wait
    std::vector<ScriptTarget> targets;  // tap and down (one), drag (two)
    std::string name;                   // action, outlet (type, expect, pick), class, file
    std::string property;               // expect
    std::string text;  // type: the text; expect: the expected value; alert steps: the title
    int row = 0;       // pick
    std::vector<std::string> arguments;  // open
};

struct ParsedScript {
    std::vector<ScriptStep> steps;
    std::vector<std::string> errors;  // "line N: ...", in line order

    bool ok() const { return errors.empty(); }
};

ParsedScript parseScript(std::string_view text);

// The canonical text of a frame, as `expect OUTLET.frame` compares it: "x,y,w,h" with each
// number in its shortest form ("10,20,100.5,40").
std::string formatFrame(Rect frame);
// The canonical text of a colour, as `expect OUTLET.textColor` compares it: "#RRGGBB" in
// upper-case hexadecimal, each component rounded to the nearest of 0 to 255.
std::string formatColor(const Color& color);
// The canonical text of a point, as `expect OUTLET.contentOffset` compares it: "x,y".
std::string formatPoint(Point point);
