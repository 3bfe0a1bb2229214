// Run-loop timer state; the firing logic lives in RunLoop.
#include "platform/Timer.h"

#include <utility>

Timer::Timer(Nanoseconds interval, bool repeats, std::function<void()> callback, Nanoseconds fireAt,
             uint64_t order)
    : interval_(interval),
      repeats_(repeats),
      callback_(std::move(callback)),
      fireAt_(fireAt),
      order_(order) {}
