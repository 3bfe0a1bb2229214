// Virtual and real clocks.
#include "platform/Clock.h"

#include <cmath>
#include <thread>

Nanoseconds secondsToNanoseconds(double seconds) {
    return std::llround(seconds * 1e9);
}

double nanosecondsToSeconds(Nanoseconds time) {
    return static_cast<double>(time) / 1e9;
}

void VirtualClock::waitUntil(Nanoseconds time) {
    if (time > now_) {
        now_ = time;
    }
}

RealClock::RealClock() : start_(std::chrono::steady_clock::now()) {}

Nanoseconds RealClock::now() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                start_)
        .count();
}

void RealClock::waitUntil(Nanoseconds time) {
    std::this_thread::sleep_until(start_ + std::chrono::nanoseconds(time));
}
