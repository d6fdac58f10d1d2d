#include "Game.h"
#include "TestSupport.h"

#include <cmath>

// A world on an 800 x 600 screen, in a folder with the game's pictures:
// the asteroids are kSizes across.
class GameTest : public testing::Test {
protected:
    void SetUp() override { game.console.screen = makeTrueColour(800, 600); }
    void TearDown() override { SDL_FreeSurface(game.console.screen); }

    const int kSizes[5] = {17, 20, 26, 34, 45};
    GameFiles files;
    Game game;
};

// The sun is painted into the background; its body collides and pulls only
// when the option is on. Each call adds five asteroids from five draws each.
TEST_F(GameTest, InitializePlacesTheBodiesAndAddsFiveAsteroids) {
    EXPECT_TRUE(game.sunOn && game.wrapOn && game.asteroids.empty());
    EXPECT_EQ(game.lives, 15);
    for (bool sunOn : {true, false}) {
        game.sunOn = sunOn;
        game.console.bg_files = {"images/TitleScreen.bmp", "images/Title_Play.bmp"};
        game.initialize();
        EXPECT_EQ(game.console.bg_files,
                  std::list<std::string>{sunOn ? "images/SpaceSun.bmp" : "images/Space.bmp"});
        EXPECT_EQ(game.sun.collid(), sunOn);
        EXPECT_FALSE(game.sun.isVisible());
        EXPECT_EQ(centre(game.sun), Pair(395, 295));
        EXPECT_EQ(size(game.sun), Pair(20, 20));
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
        EXPECT_EQ(size(rock), Pair(kSizes[kind - 1], kSizes[kind - 1]));
        EXPECT_TRUE(rock.collid());
        EXPECT_NE(rock.getImage(), nullptr);
    }
}

// The countdown lasts the whole run: the first shortage is refilled at once,
// each later one after fifty updates.
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
}

TEST_F(GameTest, ClearBringsBackFreshShipsAndKeepsTheRest) {
    game.initialize();
    game.score = 150;
    game.player.createMissile();
    game.player.kill();
    game.enemy.setPos(10, 10);
    game.clear();
    EXPECT_EQ(centre(game.player), Pair(50, 50));
    EXPECT_EQ(centre(game.enemy), Pair(550, 350));
    EXPECT_TRUE(game.player.isAlive() && game.player.missiles.empty());
    EXPECT_EQ(game.score, 150);
    EXPECT_EQ(game.asteroids.size(), 5u);
}

// The sun, the ships, then the asteroids: a 45-pixel asteroid leaves the top
// of a 48-pixel ship showing.
TEST_F(GameTest, AsteroidsAreDrawnOverTheShips) {
    game.initialize();
    game.asteroids.resize(1, game.asteroids.front());
    game.asteroids[0].setPos(300, 300);
    game.player.setPos(300, 300);
    game.sun.setVisibility(true);
    game.sun.setPos(300, 240);
    game.displayAll();
    EXPECT_EQ(pixelAt(game.console.screen, 300, 300), kBlue);
    EXPECT_EQ(pixelAt(game.console.screen, 300, 300 - 23), kRed);
    EXPECT_EQ(pixelAt(game.console.screen, 300, 240), 0xFFFF00u);
}

