#include "EventQueue.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// Puts a user event carrying the number on SDL's queue.
int push(int n) {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    event.user.code = n;
    return SDL_PushEvent(&event);
}

// A dummy display, so that SDL has an event queue.
class EventQueueTest : public testing::Test {
protected:
    void SetUp() override {
        SDL_SetVideoMode(64, 64, 16, 0);
        drainEvents();
    }
    VideoSession video;
    SDL_Event event{};
};

TEST_F(EventQueueTest, ABurstLargerThanSdlsQueueIsKeptInOrder) {
    // SDL 1.2 holds only a short queue; feed it in batches that fit, taking
    // one event per "frame" in between, as the game does.
    const int total = 3000;
    int pushed = 0;
    int expected = 0;
    while (pushed < total) {
        for (int i = 0; i < 100; ++i) ASSERT_EQ(push(pushed++), 0) << pushed;
        ASSERT_TRUE(takeEvent(event));
        ASSERT_EQ(event.user.code, expected++);
    }
    while (takeEvent(event)) ASSERT_EQ(event.user.code, expected++);
    EXPECT_EQ(expected, total);
    EXPECT_EQ(pendingEvents(), 0u);
}

TEST_F(EventQueueTest, AnEventPutBackIsTakenNext) {
    push(1);
    push(2);
    ASSERT_TRUE(takeEvent(event));
    putBack(event);
    ASSERT_TRUE(takeEvent(event));
    EXPECT_EQ(event.user.code, 1);
    ASSERT_TRUE(waitEvent(event));
    EXPECT_EQ(event.user.code, 2);
    EXPECT_FALSE(takeEvent(event));
}

}  // namespace
