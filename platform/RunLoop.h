// The main run loop: the one place where timers fire and deferred calls run. Touches, timer
// ticks, animation completions, movie notifications and URL callbacks all arrive through it, on
// the main thread, one at a time.
//
// Timers fire in time order, timers due at the same moment in the order they were scheduled. A
// repeating timer that is late fires once and skips the ticks it missed: its next fire date is
// the first multiple of its interval (counted from its first fire date) after the present.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "platform/Timer.h"

// Work outside the loop's timers that the loop waits on, such as network transfers. While it
// is busy the loop waits through it instead of sleeping, so its callbacks arrive on the main
// thread between timers; a virtual clock then moves only as fast as real time passes, so a
// transfer in flight always gets the real time it needs.
class RunLoopSource {
public:
    virtual ~RunLoopSource() = default;
    virtual bool isBusy() const = 0;
    // Blocks for at most `seconds` of real time until there is something to handle, then
    // handles it: delegate calls happen here. Zero only handles what is ready.
    virtual void waitAndHandle(double seconds) = 0;
};

class RunLoop {
public:
    explicit RunLoop(std::unique_ptr<Clock> clock);
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // The run loop of the active platform (see Platform).
    static RunLoop& main();

    // Seconds on the loop's clock.
    double now() const;
    Clock& clock() { return *clock_; }

    // A timer that first fires `interval` seconds from now. Repeating intervals shorter than
    // 0.1 ms are raised to 0.1 ms.
    std::shared_ptr<Timer> scheduleTimer(double interval, bool repeats, std::function<void()> fire);
    // A one-shot timer: `call` runs once, `delay` seconds from now, unless invalidated first.
    std::shared_ptr<Timer> performAfterDelay(double delay, std::function<void()> call);
    // Runs `call` on the next turn of the loop, after what is running now has returned.
    void post(std::function<void()> call);

    // Lets `seconds` pass on the clock, waking at each due timer in turn (a virtual clock jumps
    // from one to the next; a real one sleeps).
    void runFor(double seconds);
    // Fires everything due now, including calls posted while doing so. For a backend's own loop.
    void runDueTimers();
    // When the earliest valid timer is due, in seconds; empty when nothing is scheduled.
    std::optional<double> nextFireDate();
    // Valid timers still scheduled.
    size_t scheduledTimerCount();

    // The one source the loop waits on, or null; it must outlive the loop or be reset first.
    void setSource(RunLoopSource* source) { source_ = source; }
    // True while the source has work in flight.
    bool isSourceBusy() const { return source_ && source_->isBusy(); }
    // Handles what the source has ready, without waiting. For a backend's own loop.
    void handleSource();

private:
    // The earliest valid timer due at or before `limit`, or null. Drops invalidated timers.
    std::shared_ptr<Timer> takeNextDue(Nanoseconds limit);
    void fire(const std::shared_ptr<Timer>& timer);
    void dropInvalidTimers();
    // Lets the clock reach `time`, waiting through the source while it is busy; returns early
    // when the source has made a timer due.
    void waitUntil(Nanoseconds time);

    std::unique_ptr<Clock> clock_;
    RunLoopSource* source_ = nullptr;
    std::vector<std::shared_ptr<Timer>> timers_;
    uint64_t nextOrder_ = 0;
};
