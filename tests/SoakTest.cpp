#include "Game.h"
#include "GameMain.h"
#include "TestSupport.h"

#include <fstream>
#include <unistd.h>

long residentKb() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Twenty matches in one run with the game's own pictures, every option
// combination in turn, both ships firing and steering, deaths in the sun and
// in crashes: five more asteroids a match, no missile left over, and no
// memory growth after the first five but the asteroids' own.
TEST(Soak, TwentyMatchesInOneRunKeepMemoryFlat) {
    ASSERT_EQ(chdir(builtResources().c_str()), 0);
    VideoSession video;
    Game game;
    long settled = 0;
    const SDLKey keys[] = {SDLK_UP, SDLK_SPACE, SDLK_RIGHT, SDLK_LSHIFT, SDLK_DOWN, SDLK_LEFT};
    const std::string log = stdoutOf([&] {
        for (int number = 0; number < 20; ++number) {
            game.playerMode = number % 2;
            game.sunOn = number / 2 % 2 == 0;
            game.wrapOn = number / 4 % 2 == 0;
            Match match(game);
            for (int frame = 0; frame < 150 && match.isRunning(); ++frame) {
                if (frame % 5 == 0) pushKey(frame % 10 ? SDL_KEYUP : SDL_KEYDOWN, keys[frame / 10 % 6]);
                if (frame % 50 == 10 && game.player.isAlive()) game.player.setPos(395, 295);
                if (frame % 70 == 35) game.enemy.setPos(game.player.getx(), game.player.gety());
                match.frame();
            }
            match.finish();
            drainEvents();
            ASSERT_EQ(game.asteroids.size(), 5u * (number + 1)) << number;
            EXPECT_TRUE(game.player.missiles.empty());
            if (number == 4) settled = residentKb();
        }
    });
    EXPECT_NE(log.find("LIVES: "), std::string::npos);
    EXPECT_NE(log.find("Score: "), std::string::npos);
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer holds freed memory back
    EXPECT_LT(residentKb() - settled, 4 * 1024) << "kB grown since match 5";
#endif
}

