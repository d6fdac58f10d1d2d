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
                         builtBinary() + " 2>" + out),
              1);
    EXPECT_NE(readFile(out).find("SDL: no window system to open a window on\n"), std::string::npos);
    std::remove(out.c_str());
}

// Each call opens the 16-bit mode asked for, or ends with status 255. Palette entry i becomes grey
// level i; the fourth byte and entries past those asked for stay.
TEST(CreateDisplay, OpensTheModeAskedForAndFillsAGreyRamp) {
    VideoSession video;
    SDL_Color palette[256];
    for (SDL_Color& entry : palette) entry = SDL_Color{200, 200, 200, 77};
    SDL_Surface* title = createDisplay(nullptr, 512, 512, 16, palette, 10);
    EXPECT_EQ(title->w * 1000 + title->h + title->format->BitsPerPixel, 512528);
    EXPECT_EQ(palette[0].r + palette[3].g + palette[9].b, 12);
    EXPECT_EQ(palette[5].unused + palette[10].r, 277);
    updateScreen(title);
    SDL_Surface* match = createDisplay(title, 800, 600, 16, palette, 256);
    EXPECT_EQ(match->w * 1000 + match->h + palette[255].g, 800855);
    EXPECT_EXIT((dup2(2, 1), createDisplay(nullptr, 100000, 100000, 16, palette, 256)),
                testing::ExitedWithCode(255), "^Couldn't set video mode: .+\n");
}
