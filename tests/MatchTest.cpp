#include "Game.h"
#include "GameMain.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace testsupport;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// A world with every picture, on the dummy display, with a match set up.
// Frames run unpaced; events are pushed onto SDL's queue.
class MatchTest : public testing::Test {
protected:
    void SetUp() override {
        writeGamePictures(files);
        std::srand(1);
    }

    // Sets up a match and leaves the bodies where a test can place them: the
    // ships well apart and away from the sun, at rest, and the field kept full
    // of harmless asteroids in a corner, so that no random ones are made
    // while a test runs.
    void start(int playerMode = 0) {
        game.playerMode = playerMode;
        match = std::make_unique<Match>(game);
        drainEvents();
        for (Sprite& rock : game.asteroids) {
            rock.setCollid(false);
            rock.setVel(0, 0);
            rock.setPos(700, 60);
        }
        game.player.setPos(100, 100);
        game.enemy.setPos(700, 500);
        game.player.setVel(0, 0);
        game.enemy.setVel(0, 0);
    }
    void startWithoutSun(int playerMode = 0) {
        game.sunOn = false;
        start(playerMode);
    }

    void frames(int count) {
        for (int i = 0; i < count; ++i) match->frame();
    }

    // A still asteroid; gives its index in the field.
    std::size_t addAsteroid(int x, int y) {
        Sprite rock(true);
        rock.setImage("images/asteroid3.bmp");
        rock.resize(26, 26);
        rock.setPos(x, y);
        game.asteroids.push_back(rock);
        return game.asteroids.size() - 1;
    }

    // A missile of the ship's, standing still at (x, y).
    Sprite* stillMissile(Ship& ship, int x, int y) {
        Sprite* missile = ship.createMissile();
        missile->setVel(0, 0);
        missile->setPos(x, y);
        return missile;
    }

    TempResources files;
    VideoSession video;
    Game game;
    std::unique_ptr<Match> match;
};

// Every match, the first or a later one, starts on the 800 x 600 display at
// score 0 and 15 lives with five more asteroids and one score label.
TEST_F(MatchTest, SetUpOpensTheMatchDisplayAndStartsAfresh) {
    for (std::size_t number = 1; number <= 2; ++number) {
        game.score = 300;
        game.lives = 2;
        start();
        EXPECT_EQ(game.console.screen->w, 800);
        EXPECT_EQ(game.console.screen->h, 600);
        EXPECT_EQ(game.console.screen->format->BitsPerPixel, 16);
        EXPECT_EQ(game.score, 0);
        EXPECT_EQ(game.lives, 15);
        EXPECT_EQ(game.asteroids.size(), 5 * number);
        EXPECT_EQ(game.console.bg_files, std::list<std::string>{"images/SpaceSun.bmp"});
        EXPECT_EQ(game.console.ui_files, std::list<std::string>{"images/Score.bmp"});
        EXPECT_TRUE(match->isRunning());
        EXPECT_EQ(match->getAiCounter(), 45);
        CaptureStdout();
        match->finish();
        GetCapturedStdout();
    }
}

// Arrows and space always fly the first ship; letters and left shift reach
// the second one only with two players, and never the first.
TEST_F(MatchTest, KeysAreRoutedByPlayerMode) {
    for (int mode : {0, 1}) {
        start(mode);
        pushKey(SDL_KEYDOWN, SDLK_DOWN);
        pushKey(SDL_KEYDOWN, SDLK_SPACE);
        pushKey(SDL_KEYUP, SDLK_SPACE);
        pushKey(SDL_KEYDOWN, SDLK_w);
        pushKey(SDL_KEYDOWN, SDLK_LSHIFT);
        frames(6);
        EXPECT_EQ(game.player.getFilename(), "images/ship_sprite/Ship-2_S.bmp") << mode;
        EXPECT_EQ(game.player.missiles.size(), 1u) << mode;
        EXPECT_EQ(game.enemy.getFilename(), mode == 1 ? "images/ship_sprite/Ship-2_N.bmp"
                                                      : "images/ship_sprite/Ship-2_E.bmp");
        EXPECT_EQ(game.enemy.missiles.empty(), mode == 0) << mode;
        match->finish();
    }
}

TEST_F(MatchTest, AStormOfKeysIsHandledOnePerFrameWithNoneLost) {
    start(0);
    // Thousands of keys nobody listens to, then Escape: the match must end
    // in exactly the frame after the last of them.
    // The sun and the computer pilot may shoot the first ship down more than
    // fifteen times meanwhile; it has lives enough to last until the Escape.
    const int storm = 3000;
    game.lives = storm;
    int frameCount = 0;
    for (int pushed = 0; pushed < storm; pushed += 100, ++frameCount) {
        for (int i = 0; i < 100; ++i) pushKey(i % 2 ? SDL_KEYUP : SDL_KEYDOWN, SDLK_q);
        frames(1);
    }
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    for (; match->isRunning() && frameCount < storm + 10; ++frameCount) frames(1);
    EXPECT_EQ(frameCount, storm + 1);
}

TEST_F(MatchTest, EscapeOnPressOrReleaseAndTheQuitEventEndOnlyTheMatch) {
    for (int way = 0; way < 3; ++way) {
        start();
        if (way < 2) pushKey(way == 0 ? SDL_KEYDOWN : SDL_KEYUP, SDLK_ESCAPE);
        else pushQuit();
        frames(1);
        EXPECT_FALSE(match->isRunning()) << way;
        CaptureStdout();
        match->finish();
        EXPECT_EQ(GetCapturedStdout(), "FINAL SCORE: 0\n") << way;
    }
}

// Losing the focus does not pause; iconifying drops every event, a quit and
// Escape included, until the window is restored.
TEST_F(MatchTest, OnlyIconifyingPausesAndDropsEventsUntilRestored) {
    start();
    pushActive(SDL_APPINPUTFOCUS, 0);
    pushKey(SDL_KEYDOWN, SDLK_UP);
    pushActive(SDL_APPACTIVE, 0);
    pushQuit();
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    pushKey(SDL_KEYDOWN, SDLK_SPACE);
    pushActive(SDL_APPINPUTFOCUS, 1);
    pushActive(SDL_APPACTIVE, 1);
    pushKey(SDL_KEYDOWN, SDLK_LEFT);
    frames(2);
    EXPECT_EQ(game.player.getFilename(), "images/ship_sprite/Ship-2_N.bmp");
    frames(1);
    EXPECT_TRUE(match->isRunning());
    EXPECT_TRUE(game.player.missiles.empty());
    frames(1);
    EXPECT_EQ(game.player.getFilename(), "images/ship_sprite/Ship-2_W.bmp");
}

// Both deaths are booked in the frame of the crash; the explosion shows at
// the centre where the ship died for 25 frames, then the ship is back.
TEST_F(MatchTest, ShipsThatCollideCostALifeAndScoreOnceAndExplodeForTwentyFiveFrames) {
    start();
    game.enemy.setPos(100, 100);
    CaptureStdout();
    frames(1);
    EXPECT_EQ(GetCapturedStdout(), "LIVES: 14\nScore: 50\n");
    EXPECT_EQ(game.lives, 14);
    EXPECT_EQ(game.score, 50);
    SDL_Surface* screen = game.console.screen;
    Uint16 pixel = static_cast<Uint16*>(screen->pixels)[100 * screen->pitch / 2 + 100];
    Uint8 r, g, b;
    SDL_GetRGB(pixel, screen->format, &r, &g, &b);
    EXPECT_GT(r, 200);
    EXPECT_GT(g, 100);
    EXPECT_LT(b, 50);
    CaptureStdout();
    frames(23);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_FALSE(game.player.isAlive());
    frames(1);
    EXPECT_TRUE(game.player.isAlive());
    EXPECT_TRUE(game.player.isVisible());
}

TEST_F(MatchTest, TheLastLifeEndsTheMatchAfterItsFrame) {
    start();
    game.lives = 1;
    game.enemy.setPos(100, 100);
    CaptureStdout();
    frames(1);
    EXPECT_FALSE(match->isRunning());
    match->finish();
    EXPECT_EQ(GetCapturedStdout(), "LIVES: 0\nScore: 50\nFINAL SCORE: 50\n");
    EXPECT_EQ(game.player.getx(), 50);
    EXPECT_EQ(game.enemy.getx(), 550);
}

TEST_F(MatchTest, FifteenDeathsEndTheMatch) {
    start();
    int frameCount = 0;
    for (; match->isRunning() && frameCount < 2000; ++frameCount) {
        if (game.player.isAlive()) game.player.setPos(395, 295);  // into the sun
        frames(1);
    }
    EXPECT_EQ(game.lives, 0);
    EXPECT_EQ(frameCount, 1 + 14 * 25);
}

TEST_F(MatchTest, WithoutWrapShipsDieOffTheFieldAndAsteroidsFlyOn) {
    game.wrapOn = false;
    start();
    game.player.setPos(815, 300);
    const std::size_t rock = addAsteroid(850, 300);
    game.asteroids[rock].setVel(1, 0);
    frames(1);
    EXPECT_EQ(game.lives, 14);
    EXPECT_GE(game.asteroids[rock].getx(), 850);
}

TEST_F(MatchTest, WithWrapShipsAndAsteroidsComeBackButMissilesDoNot) {
    start();
    game.player.setPos(790, 300);
    const std::size_t rock = addAsteroid(300, 590);
    game.enemy.createMissile();
    game.enemy.missiles[0]->setPos(795, 100);
    frames(1);
    EXPECT_EQ(game.lives, 15);
    EXPECT_LT(game.player.getx(), 0);
    EXPECT_LT(game.asteroids[rock].gety(), 0);
    ASSERT_FALSE(game.enemy.missiles.empty());
    EXPECT_GT(game.enemy.missiles[0]->getx(), 780);
}

// With the sun on it kills and pulls ships and missiles, never asteroids;
// with it off, nothing dies there or is pulled.
TEST_F(MatchTest, TheSunKillsAndPullsShipsAndMissilesOnlyWhenOn) {
    for (bool sunOn : {true, false}) {
        game.sunOn = sunOn;
        start();
        game.enemy.setPos(395, 295);
        game.player.setPos(295, 295);
        const std::size_t rock = addAsteroid(395, 195);
        Sprite* missile = stillMissile(game.player, 395, 395);
        frames(1);
        const double pull = sunOn ? 0.098 : 0.0;
        EXPECT_EQ(game.score, sunOn ? 50 : 0);
        EXPECT_NEAR(game.player.getVel().magnitude, pull, 1e-9);
        EXPECT_NEAR(missile->getVel().magnitude, pull, 1e-9);
        EXPECT_EQ(game.asteroids[rock].getVel().magnitude, 0.0);
        match->finish();
    }
}

TEST_F(MatchTest, AShipCanBeKilledByItsOwnArmedMissile) {
    startWithoutSun();
    stillMissile(game.player, 100, 100);  // on the ship
    frames(2);  // ages 3 and 4: harmless
    EXPECT_EQ(game.lives, 15);
    frames(1);  // age 5
    EXPECT_EQ(game.lives, 14);
}

TEST_F(MatchTest, MissilesPassThroughAsteroidsAndOfTwoTouchingOnlyTheFirstIsParked) {
    startWithoutSun();
    stillMissile(game.player, 400, 200);
    const std::size_t first = addAsteroid(400, 200);
    const std::size_t second = addAsteroid(410, 200);
    frames(4);
    ASSERT_EQ(game.player.missiles.size(), 1u);
    EXPECT_EQ(game.player.missiles[0]->getx(), 400);
    EXPECT_EQ(game.asteroids[first].getx(), -10);
    EXPECT_EQ(game.asteroids[first].gety(), -10);
    EXPECT_EQ(game.asteroids[second].getx(), 410);
}

TEST_F(MatchTest, ArmedMissilesMeetingAreBothParkedAndDropped) {
    startWithoutSun();
    Sprite* mine = stillMissile(game.player, 400, 150);
    Sprite* theirs = stillMissile(game.enemy, 400, 150);
    mine->setCollid(true);
    theirs->setCollid(true);
    frames(1);
    EXPECT_EQ(mine->getx(), -10);
    EXPECT_EQ(theirs->getx(), -10);
    frames(1);
    EXPECT_TRUE(game.player.missiles.empty());
}

TEST_F(MatchTest, ThePilotKeepsItsCadence) {
    startWithoutSun(0);
    std::vector<int> seen, firedAt;  // the counter the pilot sees each frame, and when it fired
    for (int frame = 0; frame < 160; ++frame) {
        seen.push_back(match->getAiCounter());
        game.enemy.setPos(400, 300);
        game.player.setPos(100, 100);
        frames(1);
        for (Sprite* m : game.enemy.missiles)
            if (m->getAge() == 3) firedAt.push_back(seen.back());
        if (frame == 0) {
            EXPECT_NEAR(game.enemy.getVel().magnitude, 0.3, 1e-9);  // thrust at 45
            EXPECT_NEAR(game.enemy.getVel().angle, 0.0, 1e-9);
        }
    }
    EXPECT_EQ(seen[85], 130);
    EXPECT_EQ(seen[86], 91);  // then the cycle from 91 to 130
    EXPECT_EQ(seen[126], 91);
    EXPECT_EQ(firedAt, (std::vector<int>{60, 90, 120, 120, 120}));
}

TEST_F(MatchTest, ThePilotFiresOnlyWhileAlive) {
    startWithoutSun(0);
    frames(14);  // the counter reaches 59
    game.enemy.kill();
    frames(1);
    EXPECT_TRUE(game.enemy.missiles.empty());
}

TEST_F(MatchTest, ThePilotBrakesAboveTopSpeed) {
    startWithoutSun(0);
    game.enemy.setVel(4, 90);
    frames(1);
    EXPECT_NEAR(game.enemy.getAcc().magnitude, 0.1, 1e-12);
    // Against the motion: south at 4, nudged by the pilot's first thrust east.
    EXPECT_NEAR(game.enemy.getAcc().angle, 265 * 3.14159 / 180, 1e-9);
}

}  // namespace
