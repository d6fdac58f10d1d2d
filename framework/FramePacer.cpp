#include "FramePacer.h"

#include <chrono>
#include <thread>

namespace {

using SteadyMs = std::chrono::duration<double, std::milli>;

double steadyNow() {
    return SteadyMs(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void sleepUntilSteady(double ms) {
    const auto due = std::chrono::steady_clock::time_point(
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(SteadyMs(ms)));
    std::this_thread::sleep_until(due);
}

}  // namespace

FramePacer::FramePacer() : FramePacer(steadyNow, sleepUntilSteady) {}

FramePacer::FramePacer(Clock clockFn, SleepUntil sleepFn)
    : clock(std::move(clockFn)), sleepUntil(std::move(sleepFn)), next(clock() + kFrameMs) {}

void FramePacer::wait() {
    const double now = clock();
    if (now < next) {
        sleepUntil(next);
        next += kFrameMs;
    } else if (now - next <= kFrameMs) {
        // A little late: start at once and keep to the schedule.
        next += kFrameMs;
    } else {
        next = now + kFrameMs;
    }
}
