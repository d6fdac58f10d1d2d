#ifndef ORBITANE_FRAMEWORK_FRAMEPACER_H
#define ORBITANE_FRAMEWORK_FRAMEPACER_H

#include <functional>

// Holds a loop to at most 60 frames a second. Called once after each frame
// is presented, it sleeps until the next frame is due. A frame that runs
// late by more than a whole frame restarts the schedule instead of being
// caught up with a burst of unpaced frames. Where every frame must wait (in
// a web page), a late frame still does, until a time already past.
class FramePacer {
public:
    // Milliseconds on a steady clock, and a way to sleep until a time on it.
    using Clock = std::function<double()>;
    using SleepUntil = std::function<void(double)>;

    static constexpr double kFrameMs = 1000.0 / 60.0;

    FramePacer();
    FramePacer(Clock clock, SleepUntil sleepUntil);

    void wait();
    // When the next frame is due, in the clock's milliseconds.
    double nextFrame() const { return next; }

private:
    Clock clock;
    SleepUntil sleepUntil;
    double next;
};

#endif
