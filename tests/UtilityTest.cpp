#include "GameDisplay.h"
#include "TestSupport.h"
#include "Utility.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

using namespace testsupport;

namespace {

TEST(InitSdlDeathTest, FailureReportsOnStandardErrorAndExitsWithOne) {
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
            initSDL(SDL_INIT_VIDEO);
        },
        testing::ExitedWithCode(1), "^Unable to init SDL: .+\n");
}

TEST(InitSdlDeathTest, NoWindowSystemIsAFailureRatherThanAnInvisibleGame) {
    // What SDL falls back on when it can reach no display.
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "offscreen", 1);
            initSDL(SDL_INIT_VIDEO | SDL_INIT_AUDIO);
        },
        testing::ExitedWithCode(1), "^Unable to init SDL: no window system to open a window on\n");
}

TEST(InitSdl, SuccessLeavesTheSubsystemsRunning) {
    initSDL(SDL_INIT_VIDEO | SDL_INIT_AUDIO);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), Uint32(SDL_INIT_VIDEO));
    SDL_Quit();
}

TEST(CreateDisplay, OpensASixteenBitWindowAndFillsAGreyRamp) {
    VideoSession video;
    SDL_Color palette[256];
    for (SDL_Color& entry : palette) entry = SDL_Color{9, 9, 9, 77};
    SDL_Surface* screen = createDisplay(nullptr, 512, 512, 16, palette, 256);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, 512);
    EXPECT_EQ(screen->h, 512);
    EXPECT_EQ(screen->format->BitsPerPixel, 16);
    EXPECT_EQ(palette[0].r, 0);
    EXPECT_EQ(palette[200].g, 200);
    EXPECT_EQ(palette[255].b, 255);
    EXPECT_EQ(palette[17].unused, 77);  // the fourth byte is left alone
    updateScreen(screen);
}

TEST(CreateDisplay, FillsOnlyTheEntriesAskedFor) {
    VideoSession video;
    SDL_Color palette[256];
    for (SDL_Color& entry : palette) entry = SDL_Color{9, 9, 9, 0};
    SDL_Surface* screen = createDisplay(nullptr, 80, 60, 16, palette, 10);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(palette[9].r, 9);
    EXPECT_EQ(palette[10].r, 9);
    EXPECT_EQ(palette[3].r, 3);
}

TEST(CreateDisplay, SwitchingModesGivesTheNewSize) {
    VideoSession video;
    SDL_Color palette[256];
    SDL_Surface* title = createDisplay(nullptr, 512, 512, 16, palette, 256);
    SDL_FreeSurface(title);
    SDL_Surface* match = createDisplay(title, 800, 600, 16, palette, 256);
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(match->w, 800);
    EXPECT_EQ(match->h, 600);
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
    const std::string out = "/tmp/orbitane-startup-stderr.txt";
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
}

}  // namespace
