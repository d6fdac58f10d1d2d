#include "Game.h"
#include "GameMain.h"
#include "TestSupport.h"

// A match on the dummy display, the ships at rest far apart, the asteroids still in a corner.
class MatchTest : public testing::Test {
protected:
    void start(int playerMode = 0, bool sunOn = true, bool wrapOn = true) {
        game.playerMode = playerMode, game.sunOn = sunOn, game.wrapOn = wrapOn;
        match = std::make_unique<Match>(game);
        drainEvents();
        for (Sprite& rock : game.asteroids)
            rock.setCollid(false), rock.setVel(0, 0), rock.setPos(700, 60);
        game.player.setPos(100, 100), game.enemy.setPos(700, 500), game.enemy.setVel(0, 0);
    }
    void frames(int count) {
        for (int i = 0; i < count; ++i) match->frame();
    }
    std::string finish() {
        return stdoutOf([&] { match->finish(); });
    }
    Sprite& addAsteroid(int x, int y) {
        Sprite& rock = game.asteroids.emplace_back(true);
        rock.setImage("images/asteroid3.bmp"), rock.resize(26, 26), rock.setPos(x, y);
        return rock;
    }
    Sprite* stillMissile(Ship& ship, int x, int y, bool armed = false) {
        Sprite* missile = ship.createMissile();
        missile->setVel(0, 0), missile->setPos(x, y), missile->setCollid(armed);
        return missile;
    }

    GameFiles files;
    VideoSession video;
    Game game;
    std::unique_ptr<Match> match;
};

// Every match starts afresh with five more asteroids; Escape up or down, or a quit, ends it.
TEST_F(MatchTest, EachMatchStartsAfreshAndEndsOnEscapeOrQuit) {
    for (int way = 0; way < 3; ++way) {
        game.score = game.lives = 2;
        start();
        EXPECT_EQ(Pair(game.console.screen->w, game.console.screen->h), Pair(800, 600));
        EXPECT_EQ(game.score, 0);
        EXPECT_EQ(game.lives, 15);
        EXPECT_EQ(game.asteroids.size(), 5u * (way + 1));
        EXPECT_EQ(game.console.bg_files, std::list<std::string>{"images/SpaceSun.bmp"});
        EXPECT_EQ(game.console.ui_files, std::list<std::string>{"images/Score.bmp"});
        way < 2 ? pushKey(way ? SDL_KEYUP : SDL_KEYDOWN, SDLK_ESCAPE) : push(SDL_Event{SDL_QUIT});
        frames(1);
        SDL_Surface* const screen = game.console.screen;
        EXPECT_EQ(pixelAt(screen, 0, 0), 0xFFFF00u);  // the score's label
        EXPECT_EQ(pixelAt(screen, 71, 0), kWhite);    // the score's first digit, and "LIVES: 15"
        EXPECT_NE(pixelAt(screen, 70, 0), kWhite);
        EXPECT_EQ(pixelAt(screen, 600, 4), kWhite);
        EXPECT_NE(pixelAt(screen, 599, 4), kWhite);
        EXPECT_EQ(pixelAt(screen, 100, 100), kRed);  // the first ship, drawn over the background
        EXPECT_EQ(finish(), "FINAL SCORE: 0\n") << way;
        EXPECT_FALSE(match->isRunning()) << way;
    }
}

// Arrows and space fly the first ship, letters and left shift the second with two players; keys are
// taken one a frame and none is lost; an iconified match drops all that comes until restored.
TEST_F(MatchTest, KeysAreRoutedByPlayerModeOneAFrame) {
    for (int mode : {0, 1}) {
        start(mode);
        for (SDLKey key : {SDLK_DOWN, SDLK_SPACE}) pushKey(SDL_KEYDOWN, key);
        pushKey(SDL_KEYUP, SDLK_SPACE);
        for (SDLKey key : {SDLK_w, SDLK_LSHIFT}) pushKey(SDL_KEYDOWN, key);
        frames(6);
        EXPECT_EQ(game.player.getFilename(), "images/ship_sprite/Ship-2_S.bmp") << mode;
        EXPECT_EQ(game.player.missiles.size(), 1u) << mode;
        EXPECT_EQ(game.enemy.getFilename(), mode ? "images/ship_sprite/Ship-2_N.bmp" : shipImage);
        EXPECT_EQ(game.enemy.missiles.size(), std::size_t(mode)) << mode;
        finish();
    }
    start();
    game.lives = 300;   // the sun and the pilot may shoot it down meanwhile
    SDL_Event event{};  // iconified, the focus back, a quit and restored: all taken by one frame
    const SDL_ActiveEvent kIconified[] = {{SDL_ACTIVEEVENT, 0, SDL_APPACTIVE},
                                          {SDL_ACTIVEEVENT, 1, SDL_APPINPUTFOCUS},
                                          {SDL_QUIT, 0, 0},
                                          {SDL_ACTIVEEVENT, 1, SDL_APPACTIVE}};
    for (SDL_ActiveEvent a : kIconified) event.active = a, push(event);
    for (int batch = 0; batch < 3; ++batch) {  // more than the 128 events SDL itself holds
        for (int i = 0; i < 100; ++i) pushKey(i % 2 ? SDL_KEYUP : SDL_KEYDOWN, SDLK_q);
        frames(1);
    }
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    frames(298);
    EXPECT_TRUE(match->isRunning());
    frames(1);
    EXPECT_FALSE(match->isRunning());
}

// A crash books both deaths and shows the explosion for 25 frames; the last life ends the match.
TEST_F(MatchTest, ACrashCostsALifeScoresAndExplodesForTwentyFiveFrames) {
    start();
    game.enemy.setPos(100, 100), game.lives = 2;
    EXPECT_EQ(stdoutOf([&] { frames(1); }), "LIVES: 1\nScore: 50\n");
    EXPECT_EQ(pixelAt(game.console.screen, 100 - 22, 100 - 24), 0xFF00FFu);  // the explosion
    EXPECT_NE(pixelAt(game.console.screen, 100 + 23, 100), 0xFF00FFu);       // and no further
    EXPECT_EQ(stdoutOf([&] { frames(23); }), "");
    EXPECT_FALSE(game.player.isAlive());
    frames(1);
    EXPECT_TRUE(game.player.isAlive());
    EXPECT_TRUE(game.player.isVisible());
    EXPECT_TRUE(match->isRunning());
    game.player.setPos(200, 200), game.player.setVel(0, 0), game.enemy.setPos(700, 500);
    addAsteroid(200, 200);  // the last life, lost to an asteroid
    EXPECT_EQ(stdoutOf([&] { frames(1); }), "LIVES: 0\n");
    EXPECT_EQ(pixelAt(game.console.screen, 200 - 22, 200 - 24), 0xFF00FFu);  // the explosion's
    EXPECT_EQ(pixelAt(game.console.screen, 200 + 22, 200 + 23), 0xFF00FFu);  // corners
    EXPECT_EQ(finish(), "FINAL SCORE: 50\n");
    EXPECT_FALSE(match->isRunning());
    EXPECT_EQ(centre(game.player), Pair(50, 50));
}

// Wrap brings back ships and asteroids, not missiles; the sun kills and pulls ships, pulls and
// burns missiles, burns asteroids, pulls none. Off, ships die off the field and the sun is idle.
TEST_F(MatchTest, WrapAndTheSunActOnlyWhenOn) {
    for (bool on : {true, false}) {
        start(0, on, on);
        game.enemy.setPos(395, 295), game.player.setPos(on ? 790 : 815, 300);
        addAsteroid(300, 590).setVel(1, 90);
        Sprite* pulled = stillMissile(game.player, 395, 395);
        Sprite* theirs = stillMissile(game.enemy, 795, 295);
        frames(1);
        EXPECT_EQ(game.lives, on ? 15 : 14);
        EXPECT_EQ(game.score, on ? 50 : 0);
        EXPECT_EQ(game.player.getx() < 0, on);
        EXPECT_EQ(game.asteroids.back().gety() < 0, on);
        EXPECT_NEAR(game.player.getVel().magnitude, on ? 980.0 / (405 * 405 + 5 * 5) : 0.0, 1e-9);
        EXPECT_NEAR(pulled->getVel().magnitude, on ? 0.098 : 0.0, 1e-9);
        EXPECT_EQ(game.asteroids.back().getVel().magnitude, 1.0);
        EXPECT_NEAR(theirs->getVel().magnitude, on ? 980.0 / (400 * 400) : 0.0, 1e-9);
        EXPECT_EQ(theirs->getx(), 795);
        game.enemy.setPos(700, 500), addAsteroid(395, 295);
        Sprite* burnt = stillMissile(game.enemy, 395, 295, true);
        frames(1);
        EXPECT_EQ(burnt->getx(), on ? -10 : 395);
        EXPECT_EQ(game.asteroids.back().getx(), on ? -10 : 395);
        finish();
    }
}

// An armed missile kills even its own ship and passes through asteroids; of two touching asteroids
// the first is parked, and the first of all kills a ship; armed missiles that meet are both
// parked, then dropped.
TEST_F(MatchTest, MissilesHitShipsAndEachOtherButPassThroughAsteroids) {
    start(1, false);
    stillMissile(game.player, 100, 100), stillMissile(game.player, 400, 200);
    addAsteroid(400, 200), addAsteroid(410, 200);
    frames(2);
    EXPECT_EQ(game.lives, 15);
    frames(1);
    EXPECT_EQ(game.lives, 14);
    EXPECT_EQ(game.player.missiles.back()->getx(), 400);
    EXPECT_EQ(centre(game.asteroids[game.asteroids.size() - 2]), Pair(-10, -10));
    EXPECT_EQ(game.asteroids.back().getx(), 410);
    Sprite& first = game.asteroids.front();
    first.setCollid(true), first.setPos(game.enemy.getx(), game.enemy.gety());
    frames(1);
    EXPECT_EQ(game.score, 50);
    Sprite* mine = stillMissile(game.player, 400, 150, true);
    Sprite* theirs = stillMissile(game.enemy, 400, 150, true);
    frames(1);
    EXPECT_EQ(mine->getx(), -10);
    EXPECT_EQ(theirs->getx(), -10);
    frames(1);
    EXPECT_TRUE(game.enemy.missiles.empty());
}

// The pilot's counter starts at 45, thrusts every 15, fires every 30 (only while alive), turns at
// 130 and starts again at 91; it brakes above top speed, idles below cruising, faces its picture.
TEST_F(MatchTest, ThePilotKeepsItsCadence) {
    start(0, false);
    std::srand(2);
    game.enemy.setVel(4, 90);  // south, nudged east by the first thrust
    frames(1);
    EXPECT_NEAR(game.enemy.getAcc().magnitude, 0.1, 1e-12);
    EXPECT_NEAR(game.enemy.getAcc().angle, toRadians(265), 1e-9);
    for (double speed : {3.0, 1.5, 1.4}) {  // up to top speed, down to cruising speed, below
        game.enemy.setVel(speed, 0), game.enemy.setAcc(0.2, 0);
        frames(1);
        EXPECT_EQ(game.enemy.getAcc().magnitude, speed < 1.5 ? 0.0 : 0.2) << speed;
    }
    std::vector<int> seen, firedAt;
    for (int frame = 4; frame < 160; ++frame) {
        seen.push_back(match->getAiCounter());
        game.enemy.setPos(400, 300);
        frames(1);
        for (Sprite* m : game.enemy.missiles)
            if (m->getAge() == 3) firedAt.push_back(seen.back());
    }
    EXPECT_EQ(seen[81], 130);
    EXPECT_EQ(seen[82], 91);
    EXPECT_EQ(seen[122], 91);
    EXPECT_EQ(firedAt, (std::vector<int>{60, 90, 120, 120, 120}));
    EXPECT_EQ(game.enemy.getFilename(), "images/ship_sprite/Ship-2_S.bmp");  // with this seed
    EXPECT_NEAR(game.enemy.getPos().facing, toRadians(90), 1e-9);
    finish();
    start(0, false);
    frames(15);  // the counter reaches 60
    game.enemy.kill();
    frames(1);
    EXPECT_TRUE(game.enemy.missiles.empty());
}

// On an 800 x 600 screen a body wraps once it is past 780 or 580, or before -20.
TEST(WrapAround, ABodyWrapsOnlyPastTheMargin) {
    // clang-format off
    const struct { const char* name; int x, y, wrappedX, wrappedY; } cases[] = {
        {"at the right margin", 780, 9, 780, 9}, {"past the right margin", 781, 9, -19, 9},
        {"at the left margin", -20, 9, -20, 9}, {"past the left margin", -21, 9, 779, 9},
        {"at the bottom margin", 9, 580, 9, 580}, {"past the bottom margin", 9, 581, 9, -19},
        {"at the top margin", 9, -20, 9, -20}, {"past the top margin", 9, -21, 9, 579},
        {"past a corner", 781, -21, -19, 579}};
    // clang-format on
    const SurfacePtr screen(makeScreen(800, 600));
    for (const auto& c : cases) {
        Sprite body(false);
        body.setPos(c.x, c.y);
        update_wrapAroundScreen(body, screen.get());
        EXPECT_EQ(centre(body), Pair(c.wrappedX, c.wrappedY)) << c.name;
    }
}

// The pull is the strength over the squared distance, towards the attractor, at most 50.
TEST(Gravity, PullsTowardsTheAttractorByTheInverseSquareUpToFifty) {
    // clang-format off
    const struct { const char* name; int x, y; double pullX, pullY; } cases[] = {
        {"from the west", 390, 300, 9.8, 0}, {"from the south", 400, 310, 0, -9.8},
        {"from twice as far north", 400, 280, 0, 2.45}, {"too close", 402, 300, -50, 0},
        {"on top, pulled east", 400, 300, 50, 0}};
    // clang-format on
    Sprite sun(true);
    sun.setPos(400, 300);
    for (const auto& c : cases) {
        Sprite body(false);
        body.setPos(c.x, c.y);
        pullGravity(body, sun, 980);
        EXPECT_NEAR(body.getVel().x, c.pullX, 1e-3) << c.name;
        EXPECT_NEAR(body.getVel().y, c.pullY, 1e-3) << c.name;
    }
}
