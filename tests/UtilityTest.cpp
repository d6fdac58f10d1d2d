#include "GameDisplay.h"
#include "TestSupport.h"
#include "Utility.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace testsupport;

namespace {

// Starts SDL with the video driver forced to the one named.
void initWithDriver(const char* driver, unsigned int flags) {
    setenv("SDL_VIDEODRIVER", driver, 1);
    initSDL(flags);
}

TEST(InitSdlDeathTest, FailureReportsOnStandardErrorAndExitsWithOne) {
    EXPECT_EXIT(initWithDriver("no-such-driver", SDL_INIT_VIDEO), testing::ExitedWithCode(1),
                "^Unable to init SDL: .+\n");
}

TEST(InitSdlDeathTest, NoWindowSystemIsAFailureRatherThanAnInvisibleGame) {
    // What SDL falls back on when it can reach no display.
    EXPECT_EXIT(initWithDriver("offscreen", SDL_INIT_VIDEO | SDL_INIT_AUDIO),
                testing::ExitedWithCode(1),
                "^Unable to init SDL: no window system to open a window on\n");
}

TEST(InitSdl, SuccessLeavesTheSubsystemsRunning) {
    initSDL(SDL_INIT_VIDEO | SDL_INIT_AUDIO);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), Uint32(SDL_INIT_VIDEO));
    SDL_Quit();
}

// Each call opens the 16-bit mode asked for. Palette entry i becomes grey
// level i; the fourth byte, and the entries past those asked for, are left alone.
TEST(CreateDisplay, OpensTheModeAskedForAndFillsAGreyRamp) {
    VideoSession video;
    SDL_Color palette[256];
    for (SDL_Color& entry : palette) entry = SDL_Color{200, 200, 200, 77};
    SDL_Surface* title = createDisplay(nullptr, 512, 512, 16, palette, 10);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->w, 512);
    EXPECT_EQ(title->h, 512);
    EXPECT_EQ(title->format->BitsPerPixel, 16);
    EXPECT_EQ(palette[0].r, 0);
    EXPECT_EQ(palette[3].g, 3);
    EXPECT_EQ(palette[9].b, 9);
    EXPECT_EQ(palette[5].unused, 77);
    EXPECT_EQ(palette[10].r, 200);
    updateScreen(title);
    SDL_Surface* match = createDisplay(title, 800, 600, 16, palette, 256);
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(match->w, 800);
    EXPECT_EQ(match->h, 600);
    EXPECT_EQ(palette[255].g, 255);
}

TEST(CreateDisplayDeathTest, AModeSdlRefusesEndsWithStatus255OnStandardOutput) {
    EXPECT_EXIT(
        {
            SDL_Init(SDL_INIT_VIDEO);
            SDL_Color palette[256];
            dup2(STDERR_FILENO, STDOUT_FILENO);  // let the death test read standard output
            createDisplay(nullptr, 100000, 100000, 16, palette, 256);
        },
        testing::ExitedWithCode(255), "^Couldn't set video mode: .+\n");
}

TEST(Startup, BinaryThatCannotStartSdlExitsWithOne) {
    // Builds side by side each have their own file.
    const std::string out = "/tmp/orbitane-startup-stderr-" + std::to_string(getpid()) + ".txt";
    const int status = runCommand("SDL_VIDEODRIVER=no-such-driver " + builtBinary() + " 2>" + out);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(readFile(out).rfind("Unable to init SDL: ", 0), 0u);

    // No display at all: the game says so and ends instead of running unseen.
    const int headless =
        runCommand("timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " +
                   builtBinary() + " 2>" + out);
    EXPECT_EQ(headless, 1);
    EXPECT_NE(readFile(out).find("Unable to init SDL: no window system to open a window on\n"),
              std::string::npos)
        << readFile(out);
    std::remove(out.c_str());
}

}  // namespace
