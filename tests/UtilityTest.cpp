#include "GameDisplay.h"
#include "TestSupport.h"
#include "Utility.h"

#include <cstdlib>
#include <unistd.h>

void initWithDriver(const char* driver, unsigned int flags) {
    setenv("SDL_VIDEODRIVER", driver, 1);
    initSDL(flags);
}

// A failed start, or the off-screen driver SDL falls back on when it can
// reach no display, ends the program with status 1 and a line on standard
// error; a started SDL keeps running.
TEST(InitSdlDeathTest, AFailedStartEndsWithStatusOne) {
    EXPECT_EXIT(initWithDriver("no-such-driver", SDL_INIT_VIDEO), testing::ExitedWithCode(1),
                "^Unable to init SDL: .+\n");
    EXPECT_EXIT(initWithDriver("offscreen", SDL_INIT_VIDEO | SDL_INIT_AUDIO),
                testing::ExitedWithCode(1),
                "^Unable to init SDL: no window system to open a window on\n");
    initSDL(SDL_INIT_VIDEO | SDL_INIT_AUDIO);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), Uint32(SDL_INIT_VIDEO));
    SDL_Quit();
}

// Each call opens the 16-bit mode asked for. Palette entry i becomes grey
// level i; the fourth byte and the entries past those asked for stay.
TEST(CreateDisplay, OpensTheModeAskedForAndFillsAGreyRamp) {
    VideoSession video;
    SDL_Color palette[256];
    for (SDL_Color& entry : palette) entry = SDL_Color{200, 200, 200, 77};
    SDL_Surface* title = createDisplay(nullptr, 512, 512, 16, palette, 10);
    EXPECT_EQ(title->w * 1000 + title->h, 512512);
    EXPECT_EQ(title->format->BitsPerPixel, 16);
    EXPECT_EQ(palette[0].r + palette[3].g + palette[9].b, 12);
    EXPECT_EQ(palette[5].unused + palette[10].r, 277);
    updateScreen(title);
    SDL_Surface* match = createDisplay(title, 800, 600, 16, palette, 256);
    EXPECT_EQ(match->w * 1000 + match->h, 800600);
    EXPECT_EQ(palette[255].g, 255);
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);  // the death test reads standard error
            createDisplay(nullptr, 100000, 100000, 16, palette, 256);
        },
        testing::ExitedWithCode(255), "^Couldn't set video mode: .+\n");
}

// The built game, with SDL unable to start, and with no display at all.
TEST(Startup, TheGameWithoutAWindowSystemEndsWithStatusOne) {
    const std::string out = "/tmp/orbitane-startup-" + std::to_string(getpid()) + ".txt";
    for (const char* env : {"SDL_VIDEODRIVER=no-such-driver", "-u DISPLAY -u SDL_VIDEODRIVER"}) {
        EXPECT_EQ(runCommand("timeout 20 env -u WAYLAND_DISPLAY " + std::string(env) + " " +
                             builtBinary() + " 2>" + out),
                  1);
        EXPECT_NE(readFile(out).find("Unable to init SDL: "), std::string::npos) << readFile(out);
    }
    EXPECT_NE(readFile(out).find("SDL: no window system to open a window on\n"), std::string::npos);
    std::remove(out.c_str());
}

