// Timer scheduling and firing for the main run loop.
#include "platform/RunLoop.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <utility>

#include "platform/Platform.h"

namespace {
constexpr Nanoseconds kShortestRepeatInterval = 100'000;
}

RunLoop::RunLoop(std::unique_ptr<Clock> clock) : clock_(std::move(clock)) {}

RunLoop::~RunLoop() {
    // Callbacks still scheduled die here, while the loop is whole: the objects they hold (a
    // popped screen, say) may read the clock or schedule again as they are destroyed.
    while (!timers_.empty()) {
        std::vector<std::shared_ptr<Timer>> doomed = std::move(timers_);
        timers_.clear();
        doomed.clear();
    }
}

RunLoop& RunLoop::main() {
    return Platform::current().runLoop();
}

double RunLoop::now() const {
    return nanosecondsToSeconds(clock_->now());
}

std::shared_ptr<Timer> RunLoop::scheduleTimer(double interval, bool repeats,
                                              std::function<void()> fire) {
    Nanoseconds step = std::max<Nanoseconds>(0, secondsToNanoseconds(interval));
    const Nanoseconds fireAt = clock_->now() + step;
    if (repeats) {
        step = std::max(step, kShortestRepeatInterval);
    }
    std::shared_ptr<Timer> timer(new Timer(step, repeats, std::move(fire), fireAt, nextOrder_++));
    timers_.push_back(timer);
    return timer;
}

std::shared_ptr<Timer> RunLoop::performAfterDelay(double delay, std::function<void()> call) {
    return scheduleTimer(delay, false, std::move(call));
}

void RunLoop::post(std::function<void()> call) {
    scheduleTimer(0, false, std::move(call));
}

void RunLoop::runFor(double seconds) {
    const Nanoseconds end = clock_->now() + std::max<Nanoseconds>(0, secondsToNanoseconds(seconds));
    for (;;) {
        if (std::shared_ptr<Timer> timer = takeNextDue(clock_->now())) {
            fire(timer);
            continue;
        }
        if (clock_->now() >= end) {
            return;
        }
        Nanoseconds wakeAt = end;
        for (const auto& timer : timers_) {
            wakeAt = std::min(wakeAt, timer->fireAt_);
        }
        waitUntil(wakeAt);
    }
}

void RunLoop::waitUntil(Nanoseconds time) {
    while (clock_->now() < time) {
        if (!isSourceBusy()) {
            clock_->waitUntil(time);
            return;
        }
        const Nanoseconds before = clock_->now();
        const auto realStart = std::chrono::steady_clock::now();
        source_->waitAndHandle(nanosecondsToSeconds(time - before));
        const Nanoseconds waited = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                       std::chrono::steady_clock::now() - realStart)
                                       .count();
        // A real clock has moved by itself; a virtual one moves by the real time waited.
        clock_->waitUntil(std::min(time, before + waited));
        dropInvalidTimers();
        if (std::any_of(timers_.begin(), timers_.end(),
                        [this](const auto& timer) { return timer->fireAt_ <= clock_->now(); })) {
            return;
        }
    }
}

void RunLoop::handleSource() {
    if (isSourceBusy()) {
        source_->waitAndHandle(0);
    }
}

void RunLoop::runDueTimers() {
    while (std::shared_ptr<Timer> timer = takeNextDue(clock_->now())) {
        fire(timer);
    }
}

std::optional<double> RunLoop::nextFireDate() {
    dropInvalidTimers();
    if (timers_.empty()) {
        return std::nullopt;
    }
    Nanoseconds earliest = timers_.front()->fireAt_;
    for (const auto& timer : timers_) {
        earliest = std::min(earliest, timer->fireAt_);
    }
    return nanosecondsToSeconds(earliest);
}

size_t RunLoop::scheduledTimerCount() {
    dropInvalidTimers();
    return timers_.size();
}

std::shared_ptr<Timer> RunLoop::takeNextDue(Nanoseconds limit) {
    dropInvalidTimers();
    auto earliest = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        const Timer& timer = **it;
        if (timer.fireAt_ > limit) {
            continue;
        }
        if (earliest == timers_.end() || timer.fireAt_ < (*earliest)->fireAt_ ||
            (timer.fireAt_ == (*earliest)->fireAt_ && timer.order_ < (*earliest)->order_)) {
            earliest = it;
        }
    }
    if (earliest == timers_.end()) {
        return nullptr;
    }
    std::shared_ptr<Timer> timer = *earliest;
    if (!timer->repeats_) {
        timers_.erase(earliest);
    }
    return timer;
}

void RunLoop::fire(const std::shared_ptr<Timer>& timer) {
    if (timer->repeats_) {
        // Skip every tick that is already in the past: a late timer fires once, not once per
        // missed tick.
        const Nanoseconds now = clock_->now();
        const Nanoseconds missed =
            now > timer->fireAt_ ? (now - timer->fireAt_) / timer->interval_ : 0;
        timer->fireAt_ += (missed + 1) * timer->interval_;
    } else {
        timer->valid_ = false;
    }
    // The callback may invalidate this or any other timer, or schedule new ones; `timer` keeps
    // the callback alive while it runs.
    std::shared_ptr<Timer> keepAlive = timer;
    keepAlive->callback_();
}

void RunLoop::dropInvalidTimers() {
    auto firstInvalid =
        std::stable_partition(timers_.begin(), timers_.end(),
                              [](const std::shared_ptr<Timer>& timer) { return timer->valid_; });
    // Destroying a callback may run destructors that schedule timers, so the dropped timers die
    // only after timers_ is consistent again.
    std::vector<std::shared_ptr<Timer>> dropped(std::make_move_iterator(firstInvalid),
                                                std::make_move_iterator(timers_.end()));
    timers_.erase(firstInvalid, timers_.end());
}
