#include "EventQueue.h"
#include "TestSupport.h"

int push(int n) {
    SDL_Event event{};
    event.user = {SDL_USEREVENT, n, nullptr, nullptr};
    return SDL_PushEvent(&event);
}

// SDL 1.2 holds only a short queue: fed in batches that fit, taking one event
// a frame in between as the game does, a burst far larger stays in order.
// An event put back is taken next.
TEST(EventQueue, KeepsABurstInOrderAndTakesWhatIsPutBackFirst) {
    VideoSession video;
    SDL_SetVideoMode(64, 64, 16, 0);
    drainEvents();
    SDL_Event event{};
    int pushed = 0, expected = 0;
    while (pushed < 3000) {
        for (int i = 0; i < 100; ++i) ASSERT_EQ(push(pushed++), 0) << pushed;
        ASSERT_TRUE(takeEvent(event));
        ASSERT_EQ(event.user.code, expected++);
        putBack(event);
        ASSERT_TRUE(waitEvent(event));
        ASSERT_EQ(event.user.code, expected - 1);
    }
    while (takeEvent(event)) ASSERT_EQ(event.user.code, expected++);
    EXPECT_EQ(expected, 3000);
    EXPECT_EQ(pendingEvents(), 0u);
}

