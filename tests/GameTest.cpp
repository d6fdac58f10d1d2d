#include "Game.h"
#include "TestSupport.h"

#include <cmath>

// A world on an 800 x 600 screen with the game's pictures.
class GameTest : public testing::Test {
protected:
    void SetUp() override { game.console.screen = makeTrueColour(800, 600); }
    void TearDown() override { SDL_FreeSurface(game.console.screen); }

    GameFiles files;
    Game game;
};

// The sun's body collides only when the option is on; each call adds five asteroids.
TEST_F(GameTest, InitializePlacesTheBodiesAndAddsFiveAsteroids) {
    const int sizes[] = {17, 20, 26, 34, 45};
    for (bool sunOn : {true, false}) {
        game.sunOn = sunOn;
        game.console.bg_files = {"images/TitleScreen.bmp", "images/Title_Play.bmp"};
        game.initialize();
        EXPECT_EQ(game.console.bg_files.back(), sunOn ? "images/SpaceSun.bmp" : "images/Space.bmp");
        EXPECT_EQ(game.console.bg_files.size(), 1u);
        EXPECT_EQ(game.sun.collid(), sunOn);
        EXPECT_FALSE(game.sun.isVisible());
        EXPECT_EQ(centre(game.sun), Pair(395, 295));
        EXPECT_EQ(std::tuple(size(game.sun), game.sun.getFilename()),
                  std::tuple(Pair(20, 20), "images/Sun.bmp"));
        EXPECT_EQ(centre(game.player), Pair(50, 50));
        EXPECT_EQ(centre(game.enemy), Pair(550, 350));
    }
    ASSERT_EQ(game.asteroids.size(), 10u);
    for (const Sprite& rock : game.asteroids) {
        const double speed = rock.getVel().magnitude, degrees = rock.getVel().angle * 180 / kBodyPi;
        EXPECT_NEAR(std::fmod(speed, 1.0), 0.4, 1e-9);
        EXPECT_LT(speed, 2.5);
        EXPECT_NEAR(degrees, std::round(degrees), 1e-9);
        EXPECT_TRUE(rock.getx() >= 0 && rock.getx() < 800 && rock.gety() >= 0 && rock.gety() < 600);
        const int kind = rock.getFilename()[15] - '0';
        ASSERT_TRUE(kind >= 1 && kind <= 5) << rock.getFilename();
        EXPECT_EQ(size(rock), Pair(sizes[kind - 1], sizes[kind - 1]));
        EXPECT_TRUE(rock.collid() && rock.getImage());
    }
}

// The first shortage is refilled at once, later ones after fifty updates; clearing renews ships.
TEST_F(GameTest, RefillIsImmediateFirstThenWaitsFiftyUpdates) {
    game.initialize();
    game.update();  // a full field leaves the countdown alone
    for (int wait : {0, 50}) {
        game.asteroids.resize(3, game.asteroids.front());
        for (int i = 0; i < wait; ++i) game.update();
        EXPECT_EQ(game.asteroids.size(), 3u);
        game.update();
        EXPECT_EQ(game.asteroids.size(), 5u);
    }
    game.player.createMissile();
    game.player.kill();
    game.enemy.setPos(10, 10);
    game.clear();
    EXPECT_EQ(centre(game.player), Pair(50, 50));
    EXPECT_EQ(centre(game.enemy), Pair(550, 350));
    EXPECT_TRUE(game.player.isAlive() && game.player.missiles.empty());
}
