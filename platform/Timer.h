// A run-loop timer: one-shot or repeating, fired by the RunLoop it was scheduled on until it
// is invalidated. The loop keeps the timer (and so its callback) alive while it is scheduled;
// whoever wants to invalidate it later keeps the returned handle.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Clock.h"

class Timer {
public:
    double interval() const { return nanosecondsToSeconds(interval_); }
    bool repeats() const { return repeats_; }
    bool isValid() const { return valid_; }
    // When the timer fires next, in seconds on the loop's clock.
    double fireDate() const { return nanosecondsToSeconds(fireAt_); }
    // Stops the timer for good. Safe to call from any callback, including the timer's own.
    void invalidate() { valid_ = false; }

private:
    friend class RunLoop;
    Timer(Nanoseconds interval, bool repeats, std::function<void()> callback, Nanoseconds fireAt,
          uint64_t order);

    Nanoseconds interval_;
    bool repeats_;
    bool valid_ = true;
    std::function<void()> callback_;
    Nanoseconds fireAt_;
    uint64_t order_;  // scheduling order, breaks ties between timers due at the same moment
};
