#include "GameDisplay.h"
#include "TestSupport.h"
#include "Utility.h"

#include <unistd.h>
#include <cstdlib>

// A failed start, or the off-screen driver SDL falls back on when it reaches no display, ends the
// program with status 1 and a line on standard error, also in the built game; a started SDL keeps
// running.
TEST(InitSdlDeathTest, AFailedStartEndsWithStatusOne) {
    const auto start = [](const char* driver) {
        setenv("SDL_VIDEODRIVER", driver, 1), initSDL(0x30);
    };
    EXPECT_EXIT(start("no-such-driver"), testing::ExitedWithCode(1), "^Unable to init SDL: .+\n");
    EXPECT_EXIT(start("offscreen"), testing::ExitedWithCode(1),
                "^Unable to init SDL: no window system to open a window on\n");
    initSDL(SDL_INIT_VIDEO);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), Uint32(SDL_INIT_VIDEO));
    SDL_Quit();
    const std::string out = "/tmp/orbitane-startup-" + std::to_string(getpid());
    EXPECT_EQ(runCommand("timeout 20 env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY " +
                         kBuiltBinary + " 2>" + out),
              1);
    EXPECT_NE(readFile(out).find("SDL: no window system to open a window on\n"), std::string::npos);
    std::remove(out.c_str());
}
