#include "Game.h"
#include "TestSupport.h"

#include <cmath>
#include <set>

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
    for (bool sunOn : {true, false}) {
        SCOPED_TRACE(sunOn ? "sun on" : "sun off");
        game.sunOn = sunOn;
        game.console.bg_files = {"images/TitleScreen.bmp", "images/Title_Play.bmp"};
        game.initialize();
        EXPECT_EQ(game.console.bg_files.back(), sunOn ? "images/SpaceSun.bmp" : "images/Space.bmp");
        EXPECT_EQ(game.console.bg_files.size(), 1u);
        EXPECT_EQ(game.sun.collid(), sunOn);
        EXPECT_FALSE(game.sun.isVisible());
        EXPECT_EQ(centre(game.sun), Pair(395, 295));
        EXPECT_EQ(size(game.sun), Pair(20, 20));
        EXPECT_EQ(game.sun.getFilename(), "images/Sun.bmp");
        EXPECT_EQ(centre(game.player), Pair(50, 50));
        EXPECT_EQ(centre(game.enemy), Pair(550, 350));
    }
    EXPECT_EQ(game.asteroids.size(), 10u);
}

// The first shortage is refilled at once, later ones after fifty updates, with asteroids of every
// kind and speed on the screen on whole headings, each its picture's size; clearing renews ships.
TEST_F(GameTest, RefillIsImmediateFirstThenWaitsFiftyUpdatesAndDrawsEveryKindAndSpeed) {
    game.initialize();
    game.update();  // a full field leaves the countdown alone
    for (int wait : {0, 50}) {
        game.asteroids.resize(3, game.asteroids.front());
        for (int i = 0; i < wait; ++i) game.update();
        EXPECT_EQ(game.asteroids.size(), 3u);
        game.update();
        EXPECT_EQ(game.asteroids.size(), 5u);
    }
    std::srand(1);
    std::set<std::string> kinds;
    std::set<double> speeds;
    for (int field = 0; field < 40; ++field) {
        game.asteroids.clear();
        for (int i = 0; i <= 50; ++i) game.update();  // past any wait
        ASSERT_EQ(game.asteroids.size(), 5u);
        for (const Sprite& rock : game.asteroids) {
            SCOPED_TRACE(rock.getFilename() + " at " + std::to_string(rock.getx()));
            const double degrees = rock.getVel().angle * 180 / kBodyPi;
            ASSERT_NEAR(degrees, std::round(degrees), 1e-9);
            ASSERT_GE(rock.getx(), 0);
            ASSERT_LT(rock.getx(), 800);
            ASSERT_GE(rock.gety(), 0);
            ASSERT_LT(rock.gety(), 600);
            ASSERT_TRUE(rock.getImage());
            ASSERT_EQ(size(rock), Pair(rock.getImage()->w, rock.getImage()->h));
            ASSERT_TRUE(rock.collid());
            kinds.insert(rock.getFilename());
            speeds.insert(std::round(rock.getVel().magnitude * 10) / 10);
        }
    }
    EXPECT_EQ(kinds.size(), 5u);
    EXPECT_EQ(speeds, (std::set<double>{0.4, 1.4, 2.4}));
    game.player.createMissile(), game.player.kill(), game.enemy.setPos(10, 10);
    game.clear();
    EXPECT_EQ(centre(game.player), Pair(50, 50));
    EXPECT_EQ(centre(game.enemy), Pair(550, 350));
    EXPECT_TRUE(game.player.isAlive());
    EXPECT_TRUE(game.player.missiles.empty());
}
