#include "Game.h"
#include "GameMain.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

using namespace testsupport;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const int kMatches = 20;
const int kFramesPerMatch = 150;

// Resident memory of this process, in kilobytes.
long residentKb() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

#if defined(__SANITIZE_ADDRESS__)
const bool kMemoryIsMeasurable = false;  // the sanitizer holds freed memory back
#else
const bool kMemoryIsMeasurable = true;
#endif

// One match of a long session: both ships fire and steer, deaths come from
// the sun, each other and the field's edge, and every option combination
// takes its turn.
void playMatch(Game& game, int number) {
    game.playerMode = number % 2;
    game.sunOn = (number / 2) % 2 == 0;
    game.wrapOn = (number / 4) % 2 == 0;
    Match match(game);
    const SDLKey steering[] = {SDLK_UP, SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT};
    for (int frame = 0; frame < kFramesPerMatch && match.isRunning(); ++frame) {
        if (frame % 40 == 0) pushKey(SDL_KEYDOWN, SDLK_SPACE);
        if (frame % 40 == 20) pushKey(SDL_KEYUP, SDLK_SPACE);
        if (frame % 10 == 5) pushKey(SDL_KEYDOWN, steering[(frame / 10) % 4]);
        if (frame % 10 == 8) pushKey(SDL_KEYUP, steering[(frame / 10) % 4]);
        if (frame % 60 == 30) pushKey(SDL_KEYDOWN, SDLK_LSHIFT);
        if (frame % 60 == 50) pushKey(SDL_KEYUP, SDLK_LSHIFT);
        if (frame % 50 == 10 && game.player.isAlive()) game.player.setPos(395, 295);
        if (frame % 70 == 35 && game.enemy.isAlive()) game.enemy.setPos(game.player.getx(), game.player.gety());
        match.frame();
    }
    match.finish();
}

TEST(Soak, TwentyMatchesInOneRunKeepMemoryFlat) {
    // The game's own pictures, in the display's format like in play.
    ASSERT_EQ(chdir(builtResources().c_str()), 0);
    VideoSession video;
    Game game;
    long settled = 0;
    CaptureStdout();
    for (int number = 0; number < kMatches; ++number) {
        playMatch(game, number);
        drainEvents();
        ASSERT_EQ(game.asteroids.size(), 5u * (number + 1)) << "match " << number;
        EXPECT_TRUE(game.player.missiles.empty());
        if (number == 4) settled = residentKb();
    }
    const std::string log = GetCapturedStdout();
    EXPECT_NE(log.find("LIVES: "), std::string::npos);
    EXPECT_NE(log.find("Score: "), std::string::npos);
    int finals = 0;
    for (auto at = log.find("FINAL SCORE: "); at != std::string::npos;
         at = log.find("FINAL SCORE: ", at + 1))
        ++finals;
    EXPECT_EQ(finals, kMatches);
    EXPECT_EQ(game.console.ui_files.size(), 1u);
    if (kMemoryIsMeasurable) {
        // Seventy-five more asteroids of at most 45 x 45 pixels each are all
        // that may grow after the first few matches.
        EXPECT_LT(residentKb() - settled, 4 * 1024) << "kB grown since match 5";
    }
}

}  // namespace
