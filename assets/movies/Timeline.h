// Timing helpers for the movie scenes: where an animation step is at a given time, and the
// easing curves that make movement look natural.
#pragma once

#include <algorithm>

namespace art {

// 0 before `start`, 1 after `end`, linear in between.
inline double progress(double time, double start, double end) {
    return std::clamp((time - start) / (end - start), 0.0, 1.0);
}

// Fast at first, settling gently.
inline double easeOut(double p) {
    double q = 1 - p;
    return 1 - q * q * q;
}

inline double easeInOut(double p) {
    return p < 0.5 ? 4 * p * p * p : 1 - (-2 * p + 2) * (-2 * p + 2) * (-2 * p + 2) / 2;
}

}  // namespace art
