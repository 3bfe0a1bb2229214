// When the screen changes by itself: a view animation runs or a frame animation plays (the
// window then draws at its frame rate), or an activity indicator spins (it steps a fixed number
// of times a second, so it needs a frame only at each step). Otherwise the window sleeps until
// an event or a timer.
#pragma once

#include <optional>

class View;

// The indicator's spokes step this many times a second.
constexpr int kIndicatorStepsPerSecond = 12;

// The first moment from `now` (run loop seconds) at which the visible tree looks different
// without any event or timer: `now` itself while something moves continuously, empty when
// nothing moves. Hidden views and their subtrees do not count.
std::optional<double> nextChange(const View& root, double now);
