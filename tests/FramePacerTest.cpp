#include "FramePacer.h"
#include "Platform.h"

#include <gtest/gtest.h>

const double kFrame = 1000.0 / 60.0;

// A pacer on a clock the test moves by hand from 1000 ms, each frame's work taking `work` ms.
TEST(FramePacer, SleepsUntilTheNextSixtiethAndRestartsWhenFarBehind) {
    double now = 1000.0;
    int sleeps = 0;
    FramePacer pacer([&] { return now; }, [&](double until) { ++sleeps, now = until; });
    // clang-format off
    const struct { double work; bool slept; double after; } frames[] = {
        {4, true, 1000 + kFrame},  // on time: sleeps until the next frame
        {kFrame, false, 1000 + 2 * kFrame},  // just due: at once
        {kFrame + 5, false, 1000 + 3 * kFrame + 5},  // late by less than a frame: at once
        {2, true, 1000 + 4 * kFrame},  // and back on the old schedule
        {500, false, 1500 + 4 * kFrame},  // far behind: starts a new schedule
        {1, true, 1500 + 5 * kFrame}};
    // clang-format on
    for (const auto& f : frames) {
        const int before = sleeps;
        now += f.work;
        pacer.wait();
        EXPECT_EQ(sleeps - before, f.slept ? 1 : 0) << f.work;
        EXPECT_NEAR(now, f.after, 1e-9) << f.work;
    }
    for (int i = 0; i < 60; ++i) now += 10, pacer.wait();
    EXPECT_NEAR(now, 2500 + 5 * kFrame, 1e-6);  // sixty frames take a second, without drift
    EXPECT_NEAR(pacer.nextFrame(), now + kFrame, 1e-6);
    FramePacer steady;  // on the desktop's own clock a wait lasts until the frame is due
    steady.wait();
    EXPECT_GE(steadyMilliseconds(), steady.nextFrame() - kFrame);
}
