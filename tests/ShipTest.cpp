#include "Game.h"
#include "Ship.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace testsupport;

namespace {

// Centres and sizes as pairs, so that one expectation checks both numbers.
using Pair = std::pair<int, int>;
Pair centre(const Object& body) { return {body.getx(), body.gety()}; }
Pair size(const Object& body) { return {body.getw(), body.geth()}; }

void send(Ship& ship, Uint8 type, SDLKey sym) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = sym;
    ship.handleInput(&event);
}
void press(Ship& ship, SDLKey sym) { send(ship, SDL_KEYDOWN, sym); }
void release(Ship& ship, SDLKey sym) { send(ship, SDL_KEYUP, sym); }

// The ship's and missile's pictures, in place before anything loads them.
struct ShipPictures {
    ShipPictures() {
        files.picture("images/ship_sprite/Ship-2_E.bmp", 45, 48, kRed);
        files.picture("images/ship_sprite/Ship-2_W.bmp", 45, 48, kRed);
        files.picture("images/ship_sprite/Ship-2_N.bmp", 48, 45, kRed);
        files.picture("images/ship_sprite/Ship-2_S.bmp", 48, 45, kRed);
        files.picture("images/ship_sprite/photon.bmp", 23, 8, kGreen);
    }
    TempResources files;
};

// A new ship in a world on an 800 x 600 screen.
class ShipTest : public testing::Test {
protected:
    ShipTest() { game.console.screen = makeScreen(800, 600); }
    ~ShipTest() override { SDL_FreeSurface(game.console.screen); }

    ShipPictures pictures;
    Game game;
    Ship ship{&game};
};

TEST_F(ShipTest, NewShipIsAliveAndFacingEast) {
    EXPECT_EQ(shipImage, "images/ship_sprite/Ship-2_E.bmp");
    EXPECT_EQ(missileImage, "images/ship_sprite/photon.bmp");
    EXPECT_EQ(ship.getFilename(), shipImage);
    EXPECT_EQ(size(ship), Pair(45, 48));
    EXPECT_TRUE(ship.collid());
    EXPECT_TRUE(ship.isAlive());
    EXPECT_FALSE(ship.isDead());
}

TEST_F(ShipTest, MissileLeavesTwoFramesAheadAndArmsAtAgeFive) {
    ship.setPos(100, 50);
    Sprite* missile = ship.createMissile();
    ASSERT_EQ(ship.missiles.size(), 1u);
    EXPECT_EQ(ship.missiles[0], missile);
    EXPECT_EQ(centre(*missile), Pair(130, 50));
    EXPECT_NEAR(missile->getVel().magnitude, 15.0, 1e-9);
    EXPECT_EQ(missile->getAge(), 2);
    EXPECT_FALSE(missile->collid());
    EXPECT_TRUE(missile->isVisible());
    EXPECT_EQ(missile->getFilename(), missileImage);
    EXPECT_EQ(size(*missile), Pair(23, 8));
    ship.update();
    ship.update();
    EXPECT_FALSE(missile->collid());
    ship.update();
    EXPECT_EQ(missile->getAge(), 5);
    EXPECT_TRUE(missile->collid());
}

TEST_F(ShipTest, MissileInheritsTheShipsVelocity) {
    ship.setPos(400, 300);
    ship.setVel(3, 0);
    ship.turn(270, 'N');
    Sprite* missile = ship.createMissile();
    const Velocity v = missile->getVel();
    // The facing goes through two different roundings of pi on the way.
    EXPECT_NEAR(v.x, 3.0, 1e-3);
    EXPECT_NEAR(v.y, -15.0, 1e-3);
    EXPECT_NEAR(v.magnitude, std::sqrt(9.0 + 225.0), 1e-3);
}

// Held thrusts add up and the last press sets the facing; a release takes its
// thrust out only while it is held, and leaves the facing alone.
TEST_F(ShipTest, ThrustsAddUpAndAReleaseTakesOutOnlyAHeldOne) {
    release(ship, SDLK_LEFT);
    release(ship, SDLK_a);
    EXPECT_EQ(ship.getAcc().magnitude, 0.0);
    EXPECT_EQ(ship.getFilename(), shipImage);
    press(ship, SDLK_RIGHT);
    EXPECT_NEAR(ship.getAcc().magnitude, 0.2, 1e-12);
    press(ship, SDLK_DOWN);
    EXPECT_NEAR(ship.getAcc().magnitude, 0.2828, 1e-4);
    EXPECT_NEAR(ship.getAcc().angle, 0.785398, 1e-5);
    release(ship, SDLK_DOWN);
    EXPECT_EQ(ship.getFilename(), "images/ship_sprite/Ship-2_S.bmp");
    release(ship, SDLK_RIGHT);
    EXPECT_LT(ship.getAcc().magnitude, 1e-9);
    release(ship, SDLK_RIGHT);
    EXPECT_LT(ship.getAcc().magnitude, 1e-9);
}

TEST_F(ShipTest, ArrowsAndLettersSteerAlike) {
    const SDLKey arrows[] = {SDLK_DOWN, SDLK_LEFT, SDLK_UP, SDLK_RIGHT};
    const SDLKey letters[] = {SDLK_s, SDLK_a, SDLK_w, SDLK_d};
    const char* pictures[] = {"images/ship_sprite/Ship-2_S.bmp", "images/ship_sprite/Ship-2_W.bmp",
                              "images/ship_sprite/Ship-2_N.bmp", "images/ship_sprite/Ship-2_E.bmp"};
    const double degrees[] = {90, 180, 270, 0};
    for (int i = 0; i < 4; ++i) {
        Ship byArrow(&game), byLetter(&game);
        press(byArrow, arrows[i]);
        press(byLetter, letters[i]);
        for (Ship* ship : {&byArrow, &byLetter}) {
            EXPECT_NEAR(ship->getAcc().magnitude, 0.2, 1e-12);
            EXPECT_NEAR(ship->getPos().facing, degrees[i] * 3.14159 / 180.0, 1e-12);
            EXPECT_EQ(ship->getFilename(), pictures[i]);
        }
        EXPECT_NEAR(byArrow.getAcc().angle, byLetter.getAcc().angle, 1e-12);
    }
}

TEST_F(ShipTest, HeldFireLaunchesOnPressAndThenEveryThirdFrame) {
    for (SDLKey fire : {SDLK_SPACE, SDLK_LSHIFT}) {
        Ship shooter(&game);
        shooter.setPos(400, 300);
        press(shooter, fire);
        EXPECT_TRUE(shooter.isFiring());
        EXPECT_EQ(shooter.missiles.size(), 1u);
        // Ages 0 to 3: launches at 0 and 3.
        for (std::size_t expected : {2u, 2u, 2u, 3u}) {
            shooter.update();
            EXPECT_EQ(shooter.missiles.size(), expected) << fire << " at " << shooter.getAge() - 1;
        }
        release(shooter, fire);
        for (int i = 0; i < 6; ++i) shooter.update();
        EXPECT_FALSE(shooter.isFiring());
        EXPECT_LE(shooter.missiles.size(), 3u);
    }
}

TEST_F(ShipTest, OtherEventsAndKeysAreIgnored) {
    press(ship, SDLK_q);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    ship.handleInput(&motion);
    EXPECT_EQ(ship.getAcc().magnitude, 0.0);
    EXPECT_TRUE(ship.missiles.empty());
}

TEST_F(ShipTest, NeighbouringMissilesLeavingTogetherAreBothRemoved) {
    ship.setPos(400, 300);
    for (int i = 0; i < 3; ++i) ship.createMissile();
    ship.missiles[0]->setPos(-10, -10);
    ship.missiles[1]->setPos(900, 300);
    Sprite* keeper = ship.missiles[2];
    ship.update();
    ASSERT_EQ(ship.missiles.size(), 1u);
    EXPECT_EQ(ship.missiles[0], keeper);
    EXPECT_EQ(keeper->getAge(), 3);
}

TEST_F(ShipTest, KillStopsAndHidesTheShipFacingEastAtFullSize) {
    press(ship, SDLK_UP);
    press(ship, SDLK_SPACE);
    ship.setVel(2, 30);
    EXPECT_EQ(ship.getw(), 48);
    ship.kill();
    EXPECT_EQ(ship.getVel().magnitude, 0.0);
    EXPECT_EQ(ship.getAcc().magnitude, 0.0);
    EXPECT_EQ(ship.getFilename(), shipImage);
    EXPECT_EQ(size(ship), Pair(45, 48));
    EXPECT_FALSE(ship.isVisible());
    EXPECT_FALSE(ship.collid());
    EXPECT_FALSE(ship.isFiring());
    EXPECT_TRUE(ship.isDead());
    EXPECT_FALSE(ship.isAlive());
    EXPECT_EQ(ship.missiles.size(), 1u);
    release(ship, SDLK_UP);
    EXPECT_EQ(ship.getAcc().magnitude, 0.0);
}

// The 25th unKill brings the ship back with four draws: x, y, speed, heading.
TEST_F(ShipTest, RespawnTakesTwentyFiveFramesAndFourRandomNumbers) {
    std::srand(7);
    const int r1 = std::rand(), r2 = std::rand(), r3 = std::rand(), r4 = std::rand();
    std::srand(7);
    ship.kill();
    for (int i = 0; i < 24; ++i) ship.unKill();
    EXPECT_FALSE(ship.isDead());
    EXPECT_FALSE(ship.isAlive());
    EXPECT_FALSE(ship.isVisible());
    ship.unKill();
    EXPECT_TRUE(ship.isAlive());
    EXPECT_TRUE(ship.isVisible());
    EXPECT_TRUE(ship.collid());
    EXPECT_EQ(centre(ship), Pair(r1 % 800, r2 % 600));
    EXPECT_NEAR(ship.getVel().magnitude, r3 % 5, 1e-9);
    Sprite reference(false);
    reference.setVel(r3 % 5, r4 % 360);
    EXPECT_DOUBLE_EQ(ship.getVel().angle, reference.getVel().angle);
}

// No world, or a world without a screen: nothing to divide by, so the ship
// comes back at the origin.
TEST_F(ShipTest, RespawnWithoutAScreenStaysAtTheOrigin) {
    Game blind;
    Ship lone(nullptr), drifting(&blind);
    for (Ship* s : {&lone, &drifting}) {
        s->kill();
        for (int i = 0; i < 25; ++i) s->unKill();
        EXPECT_TRUE(s->isAlive());
        EXPECT_EQ(centre(*s), Pair(0, 0));
    }
}

TEST_F(ShipTest, AssignmentCopiesMissilesIntoIndependentOwners) {
    Ship target(&game);
    target.createMissile();
    auto source = std::make_unique<Ship>(&game);
    source->setPos(200, 200);
    source->createMissile();
    source->createMissile();
    target = *source;
    ASSERT_EQ(target.missiles.size(), 2u);
    EXPECT_NE(target.missiles[0], source->missiles[0]);
    EXPECT_NE(target.missiles[0]->getImage(), source->missiles[0]->getImage());
    EXPECT_EQ(target.missiles[1]->getx(), source->missiles[1]->getx());
    source.reset();
    target.update();
    EXPECT_EQ(target.missiles[0]->getAge(), 3);
    Ship copy(target);
    EXPECT_NE(copy.missiles[0], target.missiles[0]);
    Ship& same = copy;
    copy = same;
    EXPECT_EQ(copy.missiles.size(), 2u);
}

TEST_F(ShipTest, MissilesAreDrawnUnderTheShipEvenWhileItIsDown) {
    ship.setPos(100, 100);
    ship.createMissile();
    ship.missiles[0]->setPos(100, 100);
    SDL_Surface* screen = makeTrueColour(200, 200);
    ship.display(screen, false);
    EXPECT_EQ(pixelAt(screen, 100, 100), kRed);
    SDL_FillRect(screen, nullptr, 0);
    ship.kill();
    ship.display(screen, false);
    EXPECT_EQ(pixelAt(screen, 100, 100), kGreen);
    SDL_FreeSurface(screen);
}

}  // namespace
