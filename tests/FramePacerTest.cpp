#include "FramePacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A pacer on a clock the test moves by hand; sleeping moves it too.
class FramePacerTest : public testing::Test {
protected:
    double now = 1000.0;
    std::vector<double> sleeps;
    FramePacer pacer{[this] { return now; },
                     [this](double until) {
                         sleeps.push_back(until - now);
                         now = until;
                     }};
};

const double kFrame = 1000.0 / 60.0;

TEST_F(FramePacerTest, FramesOnTimeSleepUntilTheNextSixtieth) {
    now += 4;  // a frame's work
    pacer.wait();
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_NEAR(sleeps[0], kFrame - 4, 1e-9);
    EXPECT_NEAR(now, 1000 + kFrame, 1e-9);
    for (int i = 1; i < 60; ++i) {
        now += 10;
        pacer.wait();
    }
    // Sixty frames take one second, without drift.
    EXPECT_NEAR(now, 2000.0, 1e-6);
    EXPECT_NEAR(pacer.nextFrame(), 2000 + kFrame, 1e-6);
}

TEST_F(FramePacerTest, AFrameLateByLessThanAFrameStartsAtOnceOnSchedule) {
    now += kFrame + 5;
    pacer.wait();
    EXPECT_TRUE(sleeps.empty());
    EXPECT_NEAR(pacer.nextFrame(), 1000 + 2 * kFrame, 1e-9);
    now += 2;
    pacer.wait();
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_NEAR(now, 1000 + 2 * kFrame, 1e-9);
}

TEST_F(FramePacerTest, AFrameLateByMoreThanAFrameRestartsTheSchedule) {
    now += 500;  // a whole match, say
    pacer.wait();
    EXPECT_TRUE(sleeps.empty());
    EXPECT_NEAR(pacer.nextFrame(), 1500 + kFrame, 1e-9);
    for (int i = 0; i < 3; ++i) {
        now += 1;
        pacer.wait();
    }
    ASSERT_EQ(sleeps.size(), 3u);  // no burst of unpaced frames
    EXPECT_NEAR(now, 1500 + 3 * kFrame, 1e-9);
}

}  // namespace
