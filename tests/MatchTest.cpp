#include "Game.h"
#include "GameMain.h"
#include "TestSupport.h"

#include <cstdlib>

using namespace testsupport;

namespace {

const Rgb kExplosion = 0xFF00FF;

// A world with every picture on the dummy display. Frames run unpaced;
// events are pushed onto SDL's queue.
class MatchTest : public testing::Test {
protected:
    void SetUp() override { std::srand(1); }

    // Sets up a match with the ships at rest well apart and away from the
    // sun, and the field full of harmless asteroids in a corner, so that no
    // random ones come while a test runs.
    void start(int playerMode = 0, bool sunOn = true) {
        game.playerMode = playerMode;
        game.sunOn = sunOn;
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
    void frames(int count) {
        for (int i = 0; i < count; ++i) match->frame();
    }
    std::string finish() { return stdoutOf([&] { match->finish(); }); }
    // A still asteroid, by its index in the field.
    std::size_t addAsteroid(int x, int y) {
        Sprite rock(true);
        rock.setImage("images/asteroid3.bmp");
        rock.resize(26, 26);
        rock.setPos(x, y);
        game.asteroids.push_back(rock);
        return game.asteroids.size() - 1;
    }
    Sprite* stillMissile(Ship& ship, int x, int y, bool armed = false) {
        Sprite* missile = ship.createMissile();
        missile->setVel(0, 0);
        missile->setPos(x, y);
        missile->setCollid(armed);
        return missile;
    }

    GameFiles files;
    VideoSession video;
    Game game;
    std::unique_ptr<Match> match;
};

// Every match starts on the 800 x 600 display at score 0 and 15 lives with
// five more asteroids and one score label; Escape pressed or released, or
// the quit event, ends only the match.
TEST_F(MatchTest, EachMatchStartsAfreshAndEndsOnEscapeOrQuit) {
    for (int way = 0; way < 3; ++way) {
        game.score = 300;
        game.lives = 2;
        start();
        EXPECT_EQ(sizeOf(SDL_ConvertSurface(game.console.screen, game.console.screen->format, 0)),
                  "800x600");
        EXPECT_EQ(game.console.screen->format->BitsPerPixel, 16);
        EXPECT_EQ(game.score, 0);
        EXPECT_EQ(game.lives, 15);
        EXPECT_EQ(game.asteroids.size(), 5u * (way + 1));
        EXPECT_EQ(game.console.bg_files, std::list<std::string>{"images/SpaceSun.bmp"});
        EXPECT_EQ(game.console.ui_files, std::list<std::string>{"images/Score.bmp"});
        EXPECT_EQ(match->getAiCounter(), 45);
        if (way < 2) pushKey(way == 0 ? SDL_KEYDOWN : SDL_KEYUP, SDLK_ESCAPE);
        else pushQuit();
        frames(1);
        EXPECT_FALSE(match->isRunning()) << way;
        EXPECT_EQ(finish(), "FINAL SCORE: 0\n") << way;
    }
}

// Arrows and space always fly the first ship; letters and left shift reach
// the second one only with two players.
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
        EXPECT_EQ(game.enemy.getFilename(),
                  mode == 1 ? "images/ship_sprite/Ship-2_N.bmp" : shipImage);
        EXPECT_EQ(game.enemy.missiles.empty(), mode == 0) << mode;
        finish();
    }
}

// Thousands of keys fed in batches, then Escape: one is handled a frame,
// none is lost, and the match ends on the frame after the last of them.
TEST_F(MatchTest, AStormOfKeysIsHandledOnePerFrame) {
    start();
    const int storm = 3000;
    game.lives = storm;  // the sun and the pilot may shoot it down meanwhile
    int frameCount = 0;
    for (int pushed = 0; pushed < storm; pushed += 100, ++frameCount) {
        for (int i = 0; i < 100; ++i) pushKey(i % 2 ? SDL_KEYUP : SDL_KEYDOWN, SDLK_q);
        frames(1);
    }
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    for (; match->isRunning() && frameCount < storm + 10; ++frameCount) frames(1);
    EXPECT_EQ(frameCount, storm + 1);
}

// Losing the focus does not pause; iconifying drops every event, a quit and
// Escape included, until the window is restored.
TEST_F(MatchTest, OnlyIconifyingPausesAndDropsEventsUntilRestored) {
    start();
    pushActive(SDL_APPINPUTFOCUS, 0);
    pushKey(SDL_KEYDOWN, SDLK_UP);
    pushActive(SDL_APPACTIVE, 0);
    pushQuit();
    for (SDLKey key : {SDLK_ESCAPE, SDLK_SPACE}) pushKey(SDL_KEYDOWN, key);
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

// Both deaths are booked in the frame of the crash; the explosion shows
// where the ship died for 25 frames, then the ship is back. The last life
// ends the match after its frame, and the ships start afresh.
TEST_F(MatchTest, ACrashCostsALifeScoresAndExplodesForTwentyFiveFrames) {
    start();
    game.enemy.setPos(100, 100);
    EXPECT_EQ(stdoutOf([&] { frames(1); }), "LIVES: 14\nScore: 50\n");
    EXPECT_EQ(pixelAt(game.console.screen, 100, 100), kExplosion);
    EXPECT_EQ(stdoutOf([&] { frames(23); }), "");
    EXPECT_FALSE(game.player.isAlive());
    frames(1);
    EXPECT_TRUE(game.player.isAlive() && game.player.isVisible());
    game.lives = 1;
    game.enemy.setPos(game.player.getx(), game.player.gety());
    EXPECT_EQ(stdoutOf([&] { frames(1); }), "LIVES: 0\nScore: 100\n");
    EXPECT_FALSE(match->isRunning());
    EXPECT_EQ(finish(), "FINAL SCORE: 100\n");
    EXPECT_EQ(centre(game.player), Pair(50, 50));
    EXPECT_EQ(centre(game.enemy), Pair(550, 350));
}

// With wrap, ships and asteroids come back across the field but missiles do
// not; without it ships die off the field and asteroids fly on.
TEST_F(MatchTest, WrapCarriesShipsAndAsteroidsButNotMissiles) {
    for (bool wrapOn : {true, false}) {
        game.wrapOn = wrapOn;
        start();
        game.player.setPos(wrapOn ? 790 : 815, 300);
        const std::size_t rock = addAsteroid(300, 590);
        game.asteroids[rock].setVel(1, 90);
        stillMissile(game.enemy, 795, 100);
        frames(1);
        EXPECT_EQ(game.lives, wrapOn ? 15 : 14);
        EXPECT_EQ(game.player.getx() < 0, wrapOn);
        EXPECT_EQ(game.asteroids[rock].gety() < 0, wrapOn);
        ASSERT_EQ(game.enemy.missiles.size(), 1u);
        EXPECT_EQ(game.enemy.missiles[0]->getx(), 795);
        finish();
    }
}

// With the sun on it kills and pulls ships and missiles, never asteroids;
// with it off, nothing dies there or is pulled.
TEST_F(MatchTest, TheSunKillsAndPullsShipsAndMissilesOnlyWhenOn) {
    for (bool sunOn : {true, false}) {
        start(0, sunOn);
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
        game.enemy.setPos(700, 500);
        Sprite* burnt = stillMissile(game.enemy, 395, 295, true);
        frames(1);
        EXPECT_EQ(burnt->getx(), sunOn ? -10 : 395);
        finish();
    }
}

// A ship's own missile kills it once armed at age 5; missiles pass through
// asteroids, and of two touching asteroids only the first is parked; armed
// missiles that meet are both parked and dropped.
TEST_F(MatchTest, MissilesHitShipsAndEachOtherButPassThroughAsteroids) {
    start(1, false);
    stillMissile(game.player, 100, 100);
    stillMissile(game.player, 400, 200);
    const std::size_t first = addAsteroid(400, 200), second = addAsteroid(410, 200);
    frames(2);
    EXPECT_EQ(game.lives, 15);
    frames(1);
    EXPECT_EQ(game.lives, 14);
    EXPECT_EQ(game.player.missiles.back()->getx(), 400);
    EXPECT_EQ(centre(game.asteroids[first]), Pair(-10, -10));
    EXPECT_EQ(game.asteroids[second].getx(), 410);
    Sprite* mine = stillMissile(game.player, 400, 150, true);
    Sprite* theirs = stillMissile(game.enemy, 400, 150, true);
    frames(1);
    EXPECT_EQ(mine->getx() + theirs->getx(), -20);
    frames(1);
    EXPECT_TRUE(game.enemy.missiles.empty());
}

// The pilot thrusts every 15 and fires every 30 frames of its counter,
// turns at 130 and goes back to 91; it fires only while alive and brakes
// against its motion above top speed.
TEST_F(MatchTest, ThePilotKeepsItsCadence) {
    start(0, false);
    std::vector<int> seen, firedAt;
    for (int frame = 0; frame < 160; ++frame) {
        seen.push_back(match->getAiCounter());
        game.enemy.setPos(400, 300);
        game.player.setPos(100, 100);
        frames(1);
        for (Sprite* m : game.enemy.missiles)
            if (m->getAge() == 3) firedAt.push_back(seen.back());
    }
    EXPECT_EQ(seen[0], 45);
    EXPECT_EQ(seen[85], 130);
    EXPECT_EQ(seen[86], 91);
    EXPECT_EQ(seen[126], 91);
    EXPECT_EQ(firedAt, (std::vector<int>{60, 90, 120, 120, 120}));
    finish();
    start(0, false);
    game.enemy.setVel(4, 90);  // south, nudged east by the first thrust
    frames(1);
    EXPECT_NEAR(game.enemy.getAcc().magnitude, 0.1, 1e-12);
    EXPECT_NEAR(game.enemy.getAcc().angle, toRadians(265), 1e-9);
    frames(14);  // the counter reaches 60
    game.enemy.kill();
    frames(1);
    EXPECT_TRUE(game.enemy.missiles.empty());
}

}  // namespace
