#include "EventQueue.h"
#include "TestSupport.h"

// Waiting for an event takes in everything SDL holds, as taking one does, so a burst that would
// overflow SDL's own 128 events is kept whole; an event put back comes first.
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
