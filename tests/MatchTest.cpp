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

    // Sets up a match and leaves the bodies where a test can place them.
    // The field is kept full of harmless asteroids in a corner, so that no
    // random ones are made while a test runs.
    void start(int playerMode = 0) {
        game.playerMode = playerMode;
        match = std::make_unique<Match>(game);
        drainEvents();
        for (Sprite& rock : game.asteroids) {
            rock.setCollid(false);
            rock.setVel(0, 0);
            rock.setPos(700, 60);
        }
        parkFarApart();
    }

    // The ships well apart and away from the sun, at rest.
    void parkFarApart() {
        game.player.setPos(100, 100);
        game.enemy.setPos(700, 500);
        game.player.setVel(0, 0);
        game.enemy.setVel(0, 0);
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

    TempResources files;
    VideoSession video;
    Game game;
    std::unique_ptr<Match> match;
};

TEST_F(MatchTest, SetUpOpensTheMatchDisplayAndResetsScoreAndLives) {
    game.score = 300;
    game.lives = 2;
    start();
    EXPECT_EQ(game.console.screen->w, 800);
    EXPECT_EQ(game.console.screen->h, 600);
    EXPECT_EQ(game.console.screen->format->BitsPerPixel, 16);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.lives, 15);
    EXPECT_EQ(game.console.bg_files, std::list<std::string>{"images/SpaceSun.bmp"});
    EXPECT_EQ(game.console.ui_files, std::list<std::string>{"images/Score.bmp"});
    EXPECT_TRUE(match->isRunning());
    EXPECT_EQ(match->getAiCounter(), 45);
}

TEST_F(MatchTest, LettersReachTheSecondShipOnlyWithTwoPlayers) {
    start(0);
    pushKey(SDL_KEYDOWN, SDLK_LSHIFT);
    pushKey(SDL_KEYDOWN, SDLK_w);
    frames(2);
    EXPECT_TRUE(game.enemy.missiles.empty());
    EXPECT_EQ(game.enemy.getFilename(), "images/ship_sprite/Ship-2_E.bmp");

    match.reset();
    start(1);
    pushKey(SDL_KEYDOWN, SDLK_LSHIFT);
    pushKey(SDL_KEYDOWN, SDLK_w);
    frames(2);
    EXPECT_FALSE(game.enemy.missiles.empty());
    EXPECT_EQ(game.enemy.getFilename(), "images/ship_sprite/Ship-2_N.bmp");
    EXPECT_TRUE(game.player.missiles.empty());
}

TEST_F(MatchTest, ArrowsAndSpaceAlwaysFlyTheFirstShip) {
    for (int mode : {0, 1}) {
        start(mode);
        pushKey(SDL_KEYDOWN, SDLK_SPACE);
        pushKey(SDL_KEYUP, SDLK_SPACE);
        pushKey(SDL_KEYDOWN, SDLK_DOWN);
        frames(3);
        EXPECT_FALSE(game.player.missiles.empty()) << mode;
        EXPECT_EQ(game.player.getFilename(), "images/ship_sprite/Ship-2_S.bmp") << mode;
        EXPECT_EQ(game.enemy.getFilename(), "images/ship_sprite/Ship-2_E.bmp") << mode;
        match->finish();
    }
}

TEST_F(MatchTest, OneEventIsTakenPerFrameInOrder) {
    start(1);
    pushKey(SDL_KEYDOWN, SDLK_UP);
    pushKey(SDL_KEYDOWN, SDLK_LEFT);
    frames(1);
    EXPECT_EQ(game.player.getFilename(), "images/ship_sprite/Ship-2_N.bmp");
    frames(1);
    EXPECT_EQ(game.player.getFilename(), "images/ship_sprite/Ship-2_W.bmp");
}

TEST_F(MatchTest, AStormOfKeysIsHandledOnePerFrameWithNoneLost) {
    start(0);
    // Thousands of keys nobody listens to, then Escape: the match must end
    // in exactly the frame after the last of them. The computer pilot has
    // fifty seconds to shoot the first ship down fifteen times meanwhile, so
    // its lives are topped up to keep the match going until the Escape.
    const int storm = 3000;
    const int batch = 100;
    int frameCount = 0;
    const auto frame = [&] {
        game.lives = kStartLives;
        frames(1);
        ++frameCount;
    };
    for (int pushed = 0; pushed < storm; pushed += batch) {
        for (int i = 0; i < batch; ++i) pushKey(i % 2 ? SDL_KEYUP : SDL_KEYDOWN, SDLK_q);
        frame();
    }
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    while (match->isRunning() && frameCount < storm + 10) frame();
    EXPECT_EQ(frameCount, storm + 1);
}

TEST_F(MatchTest, EscapeEndsTheMatchOnPressOrRelease) {
    for (Uint8 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        start();
        pushKey(type, SDLK_ESCAPE);
        frames(1);
        EXPECT_FALSE(match->isRunning());
        match->finish();
    }
}

TEST_F(MatchTest, QuitEventEndsOnlyTheMatch) {
    start();
    pushQuit();
    frames(1);
    EXPECT_FALSE(match->isRunning());
    CaptureStdout();
    match->finish();
    EXPECT_EQ(GetCapturedStdout(), "FINAL SCORE: 0\n");
}

TEST_F(MatchTest, EventsWhileIconifiedAreDropped) {
    start();
    pushActive(SDL_APPACTIVE, 0);
    pushQuit();
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    pushKey(SDL_KEYDOWN, SDLK_SPACE);
    pushActive(SDL_APPINPUTFOCUS, 1);
    pushActive(SDL_APPACTIVE, 1);
    pushKey(SDL_KEYDOWN, SDLK_UP);
    frames(1);
    EXPECT_TRUE(match->isRunning());
    EXPECT_TRUE(game.player.missiles.empty());
    frames(1);
    EXPECT_EQ(game.player.getFilename(), "images/ship_sprite/Ship-2_N.bmp");
}

TEST_F(MatchTest, OtherActiveEventsDoNotPause) {
    start();
    pushActive(SDL_APPINPUTFOCUS, 0);
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    frames(2);
    EXPECT_FALSE(match->isRunning());
}

TEST_F(MatchTest, ShipsThatCollideCostALifeAndScoreInOneFrame) {
    start();
    game.enemy.setPos(100, 100);
    CaptureStdout();
    frames(1);
    EXPECT_EQ(GetCapturedStdout(), "LIVES: 14\nScore: 50\n");
    EXPECT_EQ(game.lives, 14);
    EXPECT_EQ(game.score, 50);
    CaptureStdout();
    frames(5);
    EXPECT_EQ(GetCapturedStdout(), "");
}

TEST_F(MatchTest, ExplosionShowsForTwentyFiveFramesThenTheShipIsBack) {
    start();
    game.enemy.setPos(100, 100);
    frames(1);
    // The explosion is drawn at the centre where the ship died.
    SDL_Surface* screen = game.console.screen;
    Uint16 pixel = static_cast<Uint16*>(screen->pixels)[100 * screen->pitch / 2 + 100];
    Uint8 r, g, b;
    SDL_GetRGB(pixel, screen->format, &r, &g, &b);
    EXPECT_GT(r, 200);
    EXPECT_GT(g, 100);
    EXPECT_LT(b, 50);
    frames(23);
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
    while (match->isRunning() && frameCount < 2000) {
        if (game.player.isAlive()) game.player.setPos(395, 295);  // into the sun
        frames(1);
        ++frameCount;
    }
    EXPECT_FALSE(match->isRunning());
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

TEST_F(MatchTest, WithoutTheSunNothingDiesThereOrIsPulled) {
    game.sunOn = false;
    start();
    game.player.setPos(395, 295);
    game.enemy.setPos(300, 295);
    frames(1);
    EXPECT_EQ(game.lives, 15);
    EXPECT_EQ(game.player.getVel().magnitude, 0.0);
    EXPECT_EQ(game.console.bg_files, std::list<std::string>{"images/Space.bmp"});
}

TEST_F(MatchTest, TheSunPullsShipsAndMissilesButNotAsteroids) {
    start();
    game.player.setPos(295, 295);
    const std::size_t rock = addAsteroid(395, 195);
    game.player.createMissile();
    Sprite* missile = game.player.missiles[0];
    missile->setPos(395, 395);
    missile->setVel(0, 0);
    frames(1);
    EXPECT_NEAR(game.player.getVel().magnitude, 0.098, 1e-9);
    EXPECT_NEAR(missile->getVel().magnitude, 0.098, 1e-9);
    EXPECT_EQ(game.asteroids[rock].getVel().magnitude, 0.0);
}

TEST_F(MatchTest, AShipCanBeKilledByItsOwnArmedMissile) {
    game.sunOn = false;
    start();
    game.player.createMissile();
    Sprite* missile = game.player.missiles[0];
    missile->setVel(0, 0);
    frames(2);  // ages 3 and 4: harmless
    missile->setPos(100, 100);
    EXPECT_EQ(game.lives, 15);
    frames(1);  // age 5
    EXPECT_EQ(game.lives, 14);
}

TEST_F(MatchTest, MissilesPassThroughAsteroids) {
    game.sunOn = false;
    start();
    game.player.createMissile();
    Sprite* missile = game.player.missiles[0];
    missile->setVel(0, 0);
    missile->setPos(400, 200);
    const std::size_t rock = addAsteroid(400, 200);
    frames(4);
    ASSERT_EQ(game.player.missiles.size(), 1u);
    EXPECT_EQ(game.player.missiles[0]->getx(), 400);
    EXPECT_EQ(game.asteroids[rock].getx(), 400);
}

TEST_F(MatchTest, OfTwoTouchingAsteroidsOnlyTheFirstIsParked) {
    game.sunOn = false;
    start();
    const std::size_t first = addAsteroid(400, 200);
    const std::size_t second = addAsteroid(410, 200);
    frames(1);
    EXPECT_EQ(game.asteroids[first].getx(), -10);
    EXPECT_EQ(game.asteroids[first].gety(), -10);
    EXPECT_EQ(game.asteroids[second].getx(), 410);
}

TEST_F(MatchTest, ArmedMissilesMeetingAreBothParkedAndDropped) {
    game.sunOn = false;
    start();
    Sprite* mine = game.player.createMissile();
    Sprite* theirs = game.enemy.createMissile();
    for (Sprite* m : {mine, theirs}) {
        m->setVel(0, 0);
        m->setPos(400, 150);
        m->setCollid(true);
    }
    frames(1);
    EXPECT_EQ(mine->getx(), -10);
    EXPECT_EQ(theirs->getx(), -10);
    frames(1);
    EXPECT_TRUE(game.player.missiles.empty());
}

TEST_F(MatchTest, ThePilotKeepsItsCadence) {
    game.sunOn = false;
    start(0);
    std::vector<int> firedAt;
    for (int frame = 0; frame < 160; ++frame) {
        const int counter = match->getAiCounter();
        game.enemy.setPos(400, 300);
        game.player.setPos(100, 100);
        frames(1);
        for (Sprite* m : game.enemy.missiles)
            if (m->getAge() == 3) firedAt.push_back(counter);
        if (frame == 0) {
            EXPECT_NEAR(game.enemy.getVel().magnitude, 0.3, 1e-9);  // thrust at 45
            EXPECT_NEAR(game.enemy.getVel().angle, 0.0, 1e-9);
        }
        if (frame == 84) {
            EXPECT_EQ(match->getAiCounter(), 130);
        }
        if (frame == 85 || frame == 125) {
            EXPECT_EQ(match->getAiCounter(), 91);
        }
    }
    EXPECT_EQ(firedAt, (std::vector<int>{60, 90, 120, 120, 120}));
}

TEST_F(MatchTest, ThePilotFiresOnlyWhileAlive) {
    game.sunOn = false;
    start(0);
    frames(14);  // the counter reaches 59
    game.enemy.kill();
    frames(1);
    EXPECT_TRUE(game.enemy.missiles.empty());
}

TEST_F(MatchTest, ThePilotBrakesAboveTopSpeed) {
    game.sunOn = false;
    start(0);
    game.enemy.setVel(4, 90);
    frames(1);
    EXPECT_NEAR(game.enemy.getAcc().magnitude, 0.1, 1e-12);
    // Against the motion: south at 4, nudged by the pilot's first thrust east.
    EXPECT_NEAR(game.enemy.getAcc().angle, 265 * 3.14159 / 180, 1e-9);
}

TEST_F(MatchTest, ASecondMatchStartsAfreshWithMoreAsteroids) {
    start();
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    frames(1);
    match->finish();
    const std::size_t before = game.asteroids.size();
    game.score = 100;
    match = std::make_unique<Match>(game);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.lives, 15);
    EXPECT_EQ(game.asteroids.size(), before + 5);
    EXPECT_EQ(game.console.ui_files.size(), 1u);
}

}  // namespace
