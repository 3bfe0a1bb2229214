// The time source of the run loop: a virtual clock that jumps (tests and headless runs) or the
// real monotonic clock that sleeps (the window). Times are whole nanoseconds so that timer
// arithmetic is exact: a 0.01 s timer run for 1 s fires exactly 100 times.
#pragma once

#include <chrono>
#include <cstdint>

using Nanoseconds = int64_t;

Nanoseconds secondsToNanoseconds(double seconds);
double nanosecondsToSeconds(Nanoseconds time);

class Clock {
public:
    virtual ~Clock() = default;
    // Time since the clock was made.
    virtual Nanoseconds now() const = 0;
    // Returns once now() >= time.
    virtual void waitUntil(Nanoseconds time) = 0;
};

class VirtualClock : public Clock {
public:
    Nanoseconds now() const override { return now_; }
    void waitUntil(Nanoseconds time) override;

private:
    Nanoseconds now_ = 0;
};

class RealClock : public Clock {
public:
    RealClock();
    Nanoseconds now() const override;
    void waitUntil(Nanoseconds time) override;

private:
    std::chrono::steady_clock::time_point start_;
};
