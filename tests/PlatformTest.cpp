#include "Platform.h"
#include "TestSupport.h"

// The desktop's clock runs on, a wait lasts until its time, and waiting for an event takes one
// that arrives while it waits.
TEST(Platform, TheClockAndTheWaitsKeepTime) {
    VideoSession video;
    const double start = steadyMilliseconds();
    sleepUntilSteady(start + 5);
    EXPECT_GE(steadyMilliseconds(), start + 5);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
    SDL_AddTimer(
        10, [](Uint32, void*) -> Uint32 { return pushQuit(), 0; }, nullptr);
    SDL_Event event;
    EXPECT_TRUE(waitForEvent(event));
    EXPECT_EQ(event.type, SDL_QUIT);
}
