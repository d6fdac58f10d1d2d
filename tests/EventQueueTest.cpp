#include "EventQueue.h"
#include "TestSupport.h"

// A wait takes in all SDL holds: a burst past SDL's 128 events stays whole; one put back is next.
TEST(EventQueue, WaitingKeepsABurstWholeAndAnEventPutBackComesFirst) {
    VideoSession video;
    drainEvents();
    SDL_Event event;
    for (int i = 0; i < 100; ++i) pushKey(SDL_KEYDOWN, SDLK_a);
    ASSERT_TRUE(waitEvent(event));
    for (int i = 0; i < 100; ++i) pushKey(SDL_KEYUP, SDLK_a);
    putBack(event);
    int downs = 0, ups = 0;
    for (SDL_Event next; takeEvent(next);) next.type == SDL_KEYDOWN && !ups ? ++downs : ++ups;
    EXPECT_EQ(downs, 100);
    EXPECT_EQ(ups, 100);
}
