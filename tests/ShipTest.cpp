#include "Game.h"
#include "TestSupport.h"

#include <cmath>
#include <cstdlib>
#include <set>

void send(Ship& ship, Uint8 type, SDLKey sym) {
    SDL_Event event = keyEvent(type, sym);
    ship.handleInput(&event);
}

// A world on an 800 x 600 screen with every picture, and a new ship in it.
class ShipTest : public testing::Test {
protected:
    ShipTest() { game.console.screen = makeScreen(800, 600); }
    ~ShipTest() override { SDL_FreeSurface(game.console.screen); }

    GameFiles files;
    Game game;
    Ship ship{&game};
};

// Launched two frames ahead at 15 a frame plus the ship's own velocity, armed when older than four.
TEST_F(ShipTest, AMissileLeavesTwoFramesAheadAndArmsAtAgeFive) {
    ship.setPos(100, 50);
    Sprite* missile = ship.createMissile();
    EXPECT_EQ(ship.missiles, std::vector<Sprite*>{missile});
    EXPECT_EQ(centre(*missile), Pair(130, 50));
    EXPECT_EQ(size(*missile), Pair(23, 8));
    EXPECT_EQ(missile->getFilename(), missileImage);
    for (bool armed : {false, false, false, true}) {
        EXPECT_EQ(missile->collid(), armed) << missile->getAge();
        ship.update();
    }
    ship.setVel(3, 0);
    ship.turn(270, 'N');
    const Velocity v = ship.createMissile()->getVel();
    EXPECT_NEAR(v.x, 3.0, 1e-3);  // the facing goes through two pis on the way
    EXPECT_NEAR(v.y, -15.0, 1e-3);
}

// A press adds its thrust and turns the ship; a release takes out only a held thrust.
TEST_F(ShipTest, ThrustsAddUpAndAReleaseTakesOutOnlyAHeldOne) {
    // clang-format off
    const struct { SDLKey arrow, letter; char facing; double degrees; } keys[] = {
        {SDLK_DOWN, SDLK_s, 'S', 90}, {SDLK_LEFT, SDLK_a, 'W', 180},
        {SDLK_UP, SDLK_w, 'N', 270}, {SDLK_RIGHT, SDLK_d, 'E', 0}};
    // clang-format on
    for (const auto& k : keys) {
        for (SDLKey key : {k.arrow, k.letter}) {
            SCOPED_TRACE(std::string(1, k.facing) + " from " + SDL_GetKeyName(key));
            Ship s(&game);
            send(s, SDL_KEYDOWN, key);
            EXPECT_NEAR(s.getAcc().magnitude, 0.2, 1e-12);
            EXPECT_NEAR(std::cos(s.getAcc().angle), std::cos(toRadians(k.degrees)), 1e-9);
            EXPECT_NEAR(std::sin(s.getAcc().angle), std::sin(toRadians(k.degrees)), 1e-9);
            EXPECT_NEAR(s.getPos().facing, toRadians(k.degrees), 1e-12);
            EXPECT_EQ(s.getFilename(), facing(k.facing));
        }
    }
    for (SDLKey key : {SDLK_LEFT, SDLK_a, SDLK_q}) send(ship, SDL_KEYUP, key);
    send(ship, SDL_KEYDOWN, SDLK_RIGHT);
    send(ship, SDL_KEYDOWN, SDLK_DOWN);
    EXPECT_NEAR(ship.getAcc().magnitude, std::sqrt(0.08), 1e-6);
    for (SDLKey key : {SDLK_DOWN, SDLK_RIGHT, SDLK_RIGHT}) send(ship, SDL_KEYUP, key);
    EXPECT_LT(ship.getAcc().magnitude, 1e-9);
    EXPECT_EQ(ship.getFilename(), facing('S'));
}

// A press fires at once, held fire at every third age; missiles off the map are dropped.
TEST_F(ShipTest, HeldFireLaunchesEveryThirdFrameAndLostMissilesAreDropped) {
    for (SDLKey fire : {SDLK_SPACE, SDLK_LSHIFT}) {
        Ship shooter(&game);
        shooter.setPos(400, 300);
        send(shooter, SDL_KEYDOWN, fire);
        for (std::size_t expected : {1u, 2u, 2u, 2u, 3u}) {
            EXPECT_EQ(shooter.missiles.size(), expected) << fire << " at " << shooter.getAge();
            shooter.update();
        }
        send(shooter, SDL_KEYUP, fire);
        for (int i = 0; i < 6; ++i) shooter.update();
        shooter.missiles.at(0)->setPos(-10, -10);
        shooter.missiles.at(1)->setPos(900, 300);
        Sprite* keeper = shooter.missiles.at(2);
        shooter.update();
        EXPECT_EQ(shooter.missiles, std::vector<Sprite*>{keeper});
    }
}

// A kill stops and hides the ship facing east; after 25 frames it is back at a random place on the
// screen with a random whole speed below 5 (at the origin without a screen).
TEST_F(ShipTest, KillAndRespawnTakeTwentyFiveFramesAndLandAnywhereOnTheScreen) {
    for (SDLKey key : {SDLK_UP, SDLK_SPACE}) send(ship, SDL_KEYDOWN, key);
    ship.setVel(2, 30), ship.kill();
    send(ship, SDL_KEYUP, SDLK_UP);
    EXPECT_EQ(ship.getVel().magnitude, 0.0);
    EXPECT_EQ(ship.getAcc().magnitude, 0.0);
    EXPECT_EQ(ship.getFilename(), shipImage);
    EXPECT_EQ(size(ship), Pair(45, 48));
    EXPECT_TRUE(ship.isDead());
    EXPECT_FALSE(ship.isFiring());
    for (int frame = 1; frame <= 25; ++frame) {
        ship.unKill();
        EXPECT_FALSE(ship.isDead()) << frame;
        EXPECT_EQ(ship.isAlive(), frame == 25) << frame;
        EXPECT_EQ(ship.isVisible(), frame == 25) << frame;
        EXPECT_EQ(ship.collid(), frame == 25) << frame;
    }
    std::srand(1);
    std::set<double> speeds;
    for (int life = 0; life < 100; ++life) {
        ship.kill();
        for (int i = 0; i < 25; ++i) ship.unKill();
        ASSERT_GE(ship.getx(), 0);
        ASSERT_LT(ship.getx(), 800);
        ASSERT_GE(ship.gety(), 0);
        ASSERT_LT(ship.gety(), 600);
        speeds.insert(ship.getVel().magnitude);
    }
    EXPECT_EQ(speeds, (std::set<double>{0, 1, 2, 3, 4}));
    Game blind;
    for (Ship* lone : {new Ship(nullptr), new Ship(&blind)}) {
        lone->kill();
        for (int i = 0; i < 25; ++i) lone->unKill();
        EXPECT_EQ(centre(*lone), Pair(0, 0));
        delete lone;
    }
}

// Copies own copies of every missile; missiles are drawn under the ship, also while it is down.
TEST_F(ShipTest, CopiesOwnTheirOwnMissilesAndDrawThemFirst) {
    auto source = std::make_unique<Ship>(&game);
    source->setPos(100, 100), source->createMissile()->setPos(100, 100);
    Ship copy(*source), target(&game);
    target.createMissile();
    target = *source;
    target.missiles.at(0)->setPos(100, 130);  // clear of the ship
    EXPECT_NE(target.missiles.at(0)->getImage(), source->missiles[0]->getImage());
    EXPECT_EQ(centre(target), Pair(100, 100));
    source.reset();
    const SurfacePtr screen(makeTrueColour(200, 200));
    target.kill(), target.display(screen.get(), false), copy.display(screen.get(), false);
    EXPECT_EQ(pixelAt(screen.get(), 100, 100), kRed);
    EXPECT_EQ(pixelAt(screen.get(), 100, 130), kGreen);
    EXPECT_EQ(copy.missiles.size(), 1u);
}
