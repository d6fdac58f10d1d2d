#include "Game.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace testsupport;

namespace {

const std::map<std::string, int> kAsteroidSizes = {
    {"images/asteroid1.bmp", 17}, {"images/asteroid2.bmp", 20}, {"images/asteroid3.bmp", 26},
    {"images/asteroid4.bmp", 34}, {"images/asteroid5.bmp", 45}};

// Centres and sizes as pairs, so that one expectation checks both numbers.
using Pair = std::pair<int, int>;
Pair centre(const Object& body) { return {body.getx(), body.gety()}; }

// A world on an 800 x 600 screen, in a folder with the bodies' pictures.
class GameTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/ship_sprite/Ship-2_E.bmp", 45, 48, kRed);
        files.picture("images/Sun.bmp", 20, 20, 0xFFFF00);
        for (const auto& kind : kAsteroidSizes)
            files.picture(kind.first, kind.second, kind.second, kBlue);
        game = std::make_unique<Game>();
        game->console.screen = makeTrueColour(800, 600);
    }
    void TearDown() override {
        SDL_FreeSurface(game->console.screen);
        game.reset();
    }

    TempResources files;
    std::unique_ptr<Game> game;
};

TEST_F(GameTest, NewWorldHasTheDefaultOptionsAndNoAsteroids) {
    EXPECT_TRUE(game->sunOn);
    EXPECT_TRUE(game->wrapOn);
    EXPECT_EQ(game->playerMode, 0);
    EXPECT_EQ(game->score, 0);
    EXPECT_EQ(game->lives, 15);
    EXPECT_TRUE(game->asteroids.empty());
    EXPECT_TRUE(game->sun.collid());
    EXPECT_TRUE(game->player.isAlive());
    EXPECT_TRUE(game->console.bg_files.empty());
}

// The sun is only painted into the background; its body collides and pulls
// only when the option is on.
TEST_F(GameTest, InitializePlacesTheBodiesAndPicksTheBackgroundForTheSun) {
    for (bool sunOn : {true, false}) {
        game->sunOn = sunOn;
        game->console.bg_files = {"images/TitleScreen.bmp", "images/Title_Play.bmp"};
        game->initialize();
        const char* background = sunOn ? "images/SpaceSun.bmp" : "images/Space.bmp";
        EXPECT_EQ(game->console.bg_files, std::list<std::string>{background});
        EXPECT_EQ(game->sun.collid(), sunOn);
        EXPECT_FALSE(game->sun.isVisible());
        EXPECT_EQ(centre(game->sun), Pair(395, 295));
        EXPECT_EQ(game->sun.getw(), 20);
        EXPECT_EQ(game->sun.geth(), 20);
        EXPECT_EQ(game->sun.getFilename(), "images/Sun.bmp");
        EXPECT_EQ(centre(game->player), Pair(50, 50));
        EXPECT_EQ(centre(game->enemy), Pair(550, 350));
    }
}

// Every call adds five, each from five draws: x, y, speed, heading, kind.
TEST_F(GameTest, EveryInitializeAddsFiveAsteroidsOfTheListedKinds) {
    game->initialize();
    EXPECT_EQ(game->asteroids.size(), 5u);
    game->initialize();
    ASSERT_EQ(game->asteroids.size(), 10u);
    for (const Sprite& rock : game->asteroids) {
        const double speed = rock.getVel().magnitude;
        EXPECT_TRUE(std::fabs(speed - 0.4) < 1e-9 || std::fabs(speed - 1.4) < 1e-9 ||
                    std::fabs(speed - 2.4) < 1e-9)
            << speed;
        const double degrees = rock.getVel().angle * 180.0 / 3.14159;  // a whole number
        EXPECT_NEAR(degrees, std::round(degrees), 1e-9);
        EXPECT_GE(rock.getx(), 0);
        EXPECT_LT(rock.getx(), 800);
        EXPECT_GE(rock.gety(), 0);
        EXPECT_LT(rock.gety(), 600);
        ASSERT_EQ(kAsteroidSizes.count(rock.getFilename()), 1u) << rock.getFilename();
        EXPECT_EQ(rock.getw(), kAsteroidSizes.at(rock.getFilename()));
        EXPECT_EQ(rock.geth(), rock.getw());
        EXPECT_TRUE(rock.collid());
        EXPECT_NE(rock.getImage(), nullptr);
    }
}

TEST_F(GameTest, RefillIsImmediateFirstThenWaitsFiftyUpdates) {
    game->initialize();
    game->update();  // a full field leaves the countdown alone
    game->asteroids.resize(3, game->asteroids.front());
    game->update();
    EXPECT_EQ(game->asteroids.size(), 5u);
    game->asteroids.resize(3, game->asteroids.front());
    for (int i = 0; i < 50; ++i) {
        game->update();
        ASSERT_EQ(game->asteroids.size(), 3u) << "update " << i + 1;
    }
    game->update();
    EXPECT_EQ(game->asteroids.size(), 5u);
}

TEST_F(GameTest, ClearBringsBackFreshShipsAndKeepsTheRest) {
    game->initialize();
    game->score = 150;
    game->lives = 3;
    game->player.createMissile();
    game->player.kill();
    game->enemy.setPos(10, 10);
    game->clear();
    EXPECT_EQ(centre(game->player), Pair(50, 50));
    EXPECT_EQ(centre(game->enemy), Pair(550, 350));
    EXPECT_TRUE(game->player.isAlive());
    EXPECT_TRUE(game->player.missiles.empty());
    EXPECT_EQ(game->player.getAge(), 0);
    EXPECT_EQ(game->score, 150);
    EXPECT_EQ(game->lives, 3);
    EXPECT_EQ(game->asteroids.size(), 5u);
}

TEST_F(GameTest, AsteroidsAreDrawnOverTheShips) {
    game->initialize();
    game->asteroids.resize(1, game->asteroids.front());
    game->asteroids[0].setPos(300, 300);
    game->player.setPos(300, 300);
    game->displayAll();
    EXPECT_EQ(pixelAt(game->console.screen, 300, 300), kBlue);
    // The ship is 48 high, the largest asteroid 45: the ship's top row shows.
    EXPECT_EQ(pixelAt(game->console.screen, 300, 300 - 23), kRed);
}

}  // namespace
