#include "FramePacer.h"

#include "Platform.h"

FramePacer::FramePacer() : FramePacer(steadyMilliseconds, sleepUntilSteady) {}

FramePacer::FramePacer(Clock clockFn, SleepUntil sleepFn)
    : clock(std::move(clockFn)), sleepUntil(std::move(sleepFn)), next(clock() + kFrameMs) {}

void FramePacer::wait() {
    const double now = clock();
    if (now < next) {
        sleepUntil(next);
        next += kFrameMs;
        return;
    }
    if (now - next <= kFrameMs) {
        // A little late: start at once and keep to the schedule.
        next += kFrameMs;
    } else {
        next = now + kFrameMs;
    }
    if (kEveryFrameWaits) sleepUntil(now);
}
