#include "EventQueue.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

SDL_Event numbered(int n) {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    event.user.code = n;
    return event;
}

// A dummy display, so that SDL has an event queue.
class EventQueueTest : public testing::Test {
protected:
    void SetUp() override {
        SDL_SetVideoMode(64, 64, 16, 0);
        drainEvents();
    }
    VideoSession video;
};

TEST_F(EventQueueTest, ABurstLargerThanSdlsQueueIsKeptInOrder) {
    // SDL 1.2 holds only a short queue; feed it in batches that fit, taking
    // one event per "frame" in between, as the game does.
    const int total = 3000;
    const int batch = 100;
    int pushed = 0;
    int expected = 0;
    SDL_Event event;
    while (pushed < total) {
        for (int i = 0; i < batch; ++i) {
            SDL_Event next = numbered(pushed++);
            ASSERT_EQ(SDL_PushEvent(&next), 0) << pushed;
        }
        ASSERT_TRUE(takeEvent(event));
        ASSERT_EQ(event.user.code, expected++);
    }
    while (takeEvent(event)) ASSERT_EQ(event.user.code, expected++);
    EXPECT_EQ(expected, total);
    EXPECT_EQ(pendingEvents(), 0u);
}

TEST_F(EventQueueTest, AnEventPutBackIsTakenNext) {
    SDL_Event first = numbered(1), second = numbered(2);
    SDL_PushEvent(&first);
    SDL_PushEvent(&second);
    SDL_Event event;
    ASSERT_TRUE(takeEvent(event));
    putBack(event);
    ASSERT_TRUE(takeEvent(event));
    EXPECT_EQ(event.user.code, 1);
    ASSERT_TRUE(waitEvent(event));
    EXPECT_EQ(event.user.code, 2);
    EXPECT_FALSE(takeEvent(event));
}

}  // namespace
